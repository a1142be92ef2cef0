// The real QuorvexLauncher.exe, started as a user starts it and driven through its windows.
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using namespace std::chrono_literals;

// One run of the launcher; ends it if the test has not.
class LauncherRun {
public:
    // Waits for the main dialog unless told that a message comes first.
    explicit LauncherRun(bool waitForDialog = true)
        : handles_(test::StartProgram(test::PathFromEnvironment("QV_LAUNCHER_EXE"), L"")) {
        if (waitForDialog) test::WaitUntil([this] { return (dialog_ = FindDialog()) != nullptr || HasExited(); });
    }
    ~LauncherRun() {
        if (!HasExited()) ::TerminateProcess(handles_.process.get(), 1);
        ::WaitForSingleObject(handles_.process.get(), 10000);
    }
    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
    bool HasExited() const { return ::WaitForSingleObject(handles_.process.get(), 0) == WAIT_OBJECT_0; }
    bool WaitForExit() { return test::WaitUntil([this] { return HasExited(); }, 20s); }
    // A second visible dialog of the launcher: a message box.
    HWND FindMessageBox() const {
        for (HWND window : test::TopLevelWindowsOf(handles_.processId))
            if (window != dialog_ && test::ClassNameOf(window) == L"#32770") return window;
        return nullptr;
    }

private:
    HWND FindDialog() const {
        for (HWND window : test::TopLevelWindowsOf(handles_.processId))
            if (test::ClassNameOf(window) == L"#32770" && ::GetDlgItem(window, IDC_FLUENT_LIST)) return window;
        return nullptr;
    }
    ProcessHandles handles_;
    HWND dialog_ = nullptr;
};

std::wstring MessageBoxText(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (test::ClassNameOf(child) == L"Static" && !test::TextOf(child).empty()) return test::TextOf(child);
    return L"";
}

class LauncherExe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::FileExistsForTest(test::PathFromEnvironment("QV_LAUNCHER_EXE")));
    }
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
};

TEST_F(LauncherExe, OpensTheMainDialogWithItsControlsInTabOrder) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(test::TextOf(run.Dialog()), L"Quorvex");

    struct Control { int id; const wchar_t* className; DWORD style; const wchar_t* text; };
    const std::vector<Control> table = {
        {IDC_2D, L"Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, L"2D"},
        {IDC_3D, L"Button", BS_AUTORADIOBUTTON, L"3D"},
        {IDC_DOUBLE_PRECISION, L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, L"Double Precision"},
        {IDC_SERIAL, L"Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, L"Serial"},
        {IDC_PARALLEL, L"Button", BS_AUTORADIOBUTTON, L"Parallel"},
        {IDC_PROCESS_COUNT, L"Edit", ES_NUMBER | ES_AUTOHSCROLL | WS_DISABLED, L"1"},
        {IDC_PROCESS_SPIN, L"msctls_updown32", UDS_ALIGNRIGHT | UDS_ARROWKEYS | WS_DISABLED, nullptr},
        {IDC_VS_LIST, L"ComboBox", CBS_DROPDOWNLIST | CBS_SORT, nullptr},
        {IDC_FLUENT_LIST, L"ComboBox", CBS_DROPDOWNLIST, nullptr},
        {IDC_BROWSE, L"Button", BS_ICON, nullptr},
        {IDC_CHINESE_FLUENT, L"Button", BS_AUTOCHECKBOX, L"Chinese Fluent"},
        {IDC_START_BY_WORKBENCH, L"Button", BS_AUTOCHECKBOX, L"Start by WorkBench"},
        {IDC_CALL_COOLPROP, L"Button", BS_AUTOCHECKBOX, L"Call CoolProp"},
        {IDC_CALL_FORTRAN, L"Button", BS_AUTOCHECKBOX, L"Call Intel Fortran"},
        {IDC_CALL_MATLAB, L"Button", BS_AUTOCHECKBOX, L"Call Matlab"},
        {IDC_STATIC_LINK, L"Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_DISABLED, L"Static link"},
        {IDC_DYNAMIC_LINK, L"Button", BS_AUTORADIOBUTTON | WS_DISABLED, L"Dynamic link"},
        {IDC_MATLAB_LIST, L"ComboBox", CBS_DROPDOWNLIST | WS_DISABLED, nullptr},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, L"OK"},
        {IDC_CANCEL, L"Button", BS_PUSHBUTTON, L"Cancel"},
        {IDC_DIMENSION_GROUP, L"Button", BS_GROUPBOX, L"Dimension"},
        {IDC_PROCESSING_GROUP, L"Button", BS_GROUPBOX, L"Processing Options"},
        {IDC_VS_GROUP, L"Button", BS_GROUPBOX, L"VC version to run"},
        {IDC_PROCESSES_LABEL, L"Static", 0, L"Processes(1~999)"},
        {IDC_FLUENT_GROUP, L"Button", BS_GROUPBOX, L"Fluent version to run"},
        {IDC_THIRD_PARTY_GROUP, L"Button", BS_GROUPBOX, L"3rdParty Options"},
        {IDC_MATLAB_LABEL, L"Static", 0, L"Matlab version to run"},
        {IDC_BANNER, L"Static", SS_OWNERDRAW, nullptr},
        {IDC_LOGO, L"Static", SS_OWNERDRAW, nullptr},
    };
    HWND control = ::GetWindow(run.Dialog(), GW_CHILD);
    for (const Control& expected : table) {
        ASSERT_NE(control, nullptr) << "missing control " << expected.id;
        EXPECT_EQ(::GetDlgCtrlID(control), expected.id);
        EXPECT_EQ(test::ClassNameOf(control), expected.className) << expected.id;
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
        EXPECT_EQ(style & expected.style, expected.style) << expected.id;
        if (expected.text) {
            EXPECT_EQ(test::TextOf(control), expected.text) << expected.id;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the table";
    // Created disabled by the template, enabled by the initialisation.
    for (int id : {IDC_START_BY_WORKBENCH, IDC_DOUBLE_PRECISION, IDC_PARALLEL})
        EXPECT_TRUE(::IsWindowEnabled(run.Item(id))) << id;
    EXPECT_EQ(::SendMessageW(run.Item(IDC_PROCESS_SPIN), UDM_GETRANGE, 0, 0), MAKELONG(999, 1));
}

TEST_F(LauncherExe, OutOfRangeCountIsRefusedOnOkWithTheRangeMessage) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    ::SendMessageW(run.Item(IDC_PROCESS_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1000"));
    // Posted: the launcher's message box runs its own loop until it is answered.
    ::PostMessageW(run.Dialog(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(run.Item(IDOK)));
    HWND box = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] { return (box = run.FindMessageBox()) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box), L"Enter an integer between 1 and 999.");
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_FALSE(run.HasExited());
    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.WaitForExit());
}

// The language decision at the first start. Wine takes the system language from the Unix
// locale of the whole run, so the test runner starts this test once per locale and names the
// decision it expects.
TEST_F(LauncherExe, FirstStartStoresTheLanguageOfTheSystem) {
    const char* expected = std::getenv("QV_EXPECTED_LANGUAGE");
    if (!expected) GTEST_SKIP() << "run by the runner once per system locale";
    const bool chinese = std::string_view(expected) == "false";
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage", ReadView64),
              chinese ? L"false" : L"true");
    EXPECT_EQ(test::TextOf(run.Item(IDC_PARALLEL)), chinese ? L"并行" : L"Parallel");
    EXPECT_EQ(test::TextOf(run.Item(IDC_CANCEL)), chinese ? L"取消" : L"Cancel");
    ::PostMessageW(run.Dialog(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(run.WaitForExit());
}

TEST_F(LauncherExe, StoredWordIsReadIgnoringCaseAndBlanksAndNotRewritten) {
    settings.SetString(L"IsUsingEnglishLanguage", L" True ");
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(test::TextOf(run.Item(IDC_PARALLEL)), L"Parallel");
    const auto raw = test::ReadRawValue(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage");
    const std::wstring stored(reinterpret_cast<const wchar_t*>(raw.data.data()), raw.data.size() / 2);
    EXPECT_EQ(stored, std::wstring(L" True ") + L'\0');
}

} // namespace
} // namespace qv

namespace qv {
namespace {

std::vector<std::wstring> ComboTexts(HWND combo) {
    std::vector<std::wstring> texts;
    const auto count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text.c_str());
    }
    return texts;
}

int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

// Folder trees a test lays out, removed when it ends.
struct RemoveOnExit {
    std::vector<std::wstring> trees;
    ~RemoveOnExit() {
        for (const auto& tree : trees) test::RemoveTree(tree);
    }
};

TEST_F(LauncherExe, ListsShowWhatIsInstalled) {
    const std::wstring programs32 = test::RunsInWin64Prefix() ? L"C:\\Program Files (x86)" : L"C:\\Program Files";
    const std::wstring vs = programs32 + L"\\Microsoft Visual Studio\\2019\\Community";
    RemoveOnExit cleanup{{vs, L"D:\\Program Files", L"C:\\Program Files\\ANSYS Inc", L"E:\\ANSYS", L"D:\\MATLAB"}};
    test::WriteFileBytes(vs + L"\\Common7\\IDE\\devenv.exe", "MZ");
    test::WriteFileBytes(vs + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt", "14.29.30133\r\n");
    test::WriteFileBytes(L"D:\\Program Files\\Microsoft Visual Studio 14.0\\Common7\\IDE\\devenv.exe", "MZ");
    test::WriteFileBytes(L"C:\\Program Files\\ANSYS Inc\\v201\\fluent\\fluent20.1.0\\src\\udf.h", "");
    test::WriteFileBytes(L"E:\\ANSYS\\v222\\fluent\\fluent22.2.0\\src\\udf\\udf.h", "");
    test::WriteFileBytes(L"D:\\MATLAB\\R2018a\\bin\\matlab.exe", "MZ");
    test::WriteFileBytes(L"D:\\MATLAB\\R2019b\\bin\\matlab.exe", "MZ");
    test::ScopedRegistryKey mathWorks(HKEY_LOCAL_MACHINE, L"Software\\MathWorks");
    test::ScopedRegistryKey m18(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\9.4");
    m18.SetString(L"MATLABROOT", L"D:\\MATLAB\\R2018a");
    test::ScopedRegistryKey m19(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\9.7");
    m19.SetString(L"MATLABROOT", L"D:\\MATLAB\\R2019b");
    settings.SetString(L"FluentPathsUsed", L"E:\\ANSYS\\v222\\fluent");
    settings.SetString(L"VcVerUsed", L"16");
    settings.SetString(L"MatlabVerUsed", L"2019B");

    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(ComboTexts(run.Item(IDC_FLUENT_LIST)), (std::vector<std::wstring>{L"2022 R2", L"2020 R1"}));
    EXPECT_EQ(ComboSelection(run.Item(IDC_FLUENT_LIST)), 0);
    EXPECT_EQ(ComboTexts(run.Item(IDC_VS_LIST)), (std::vector<std::wstring>{L"2015", L"2019"}));
    EXPECT_EQ(ComboSelection(run.Item(IDC_VS_LIST)), 1);
    EXPECT_EQ(ComboTexts(run.Item(IDC_MATLAB_LIST)), (std::vector<std::wstring>{L"2018a", L"2019b"}));
    EXPECT_EQ(ComboSelection(run.Item(IDC_MATLAB_LIST)), 1);
}

TEST_F(LauncherExe, ListsShowTheirPlaceholdersWhenNothingIsInstalled) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    const std::pair<int, const wchar_t*> lists[] = {
        {IDC_FLUENT_LIST, L"Not found"}, {IDC_VS_LIST, L"need 2010~2019"}, {IDC_MATLAB_LIST, L"need 2014~2021"}};
    for (const auto& [id, placeholder] : lists) {
        EXPECT_EQ(ComboTexts(run.Item(id)), std::vector<std::wstring>{placeholder}) << id;
        EXPECT_EQ(ComboSelection(run.Item(id)), 0) << id;
    }
}

TEST_F(LauncherExe, VisualStudioWithoutItsToolsetFileEndsTheLauncher) {
    RemoveOnExit cleanup{{L"D:\\Program Files"}};
    test::WriteFileBytes(L"D:\\Program Files\\Microsoft Visual Studio\\2017\\Enterprise\\Common7\\IDE\\devenv.exe", "MZ");
    LauncherRun run(false);
    HWND box = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] { return (box = run.FindMessageBox()) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box).rfind(L"Can't find VCTools file", 0), 0u);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(run.WaitForExit());
}

} // namespace
} // namespace qv
