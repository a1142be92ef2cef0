// The real QuorvexLauncher.exe, started as a user starts it and driven through its windows.
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;

// The bits of a control's style that hold its type, for the classes that have one.
DWORD TypeFieldOf(std::wstring_view className) {
    if (className == L"Button") return BS_TYPEMASK;
    if (className == L"Static") return SS_TYPEMASK;
    if (className == L"ComboBox") return CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST;
    return 0;
}

class LauncherExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
};

TEST_F(LauncherExe, OpensTheMainDialogWithItsControlsInTabOrder) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(test::TextOf(run.Dialog()), L"Quorvex");

    // Per control, in z-order (each label just before the control it names): its class, the
    // exact value of its type field (BS_TYPEMASK, SS_TYPEMASK, the combo box's low bits; none for
    // other classes), styles it must have, whether it is disabled once the dialog is up, and its
    // text. Lists keep the order of their entries unsorted, except
    // Visual Studio's.
    struct Control {
        int id;
        const wchar_t* className;
        DWORD type;
        DWORD styles;
        bool disabled;
        const wchar_t* text;
    };
    const std::vector<Control> table = {
        {IDC_2D, L"Button", BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, false, L"2D"},
        {IDC_3D, L"Button", BS_AUTORADIOBUTTON, 0, false, L"3D"},
        {IDC_DOUBLE_PRECISION, L"Button", BS_AUTOCHECKBOX, WS_TABSTOP, false, L"Double Precision"},
        {IDC_SERIAL, L"Button", BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, false, L"Serial"},
        {IDC_PARALLEL, L"Button", BS_AUTORADIOBUTTON, 0, false, L"Parallel"},
        {IDC_PROCESSES_LABEL, L"Static", SS_LEFT, 0, false, L"Processes(1~999)"},
        {IDC_PROCESS_COUNT, L"Edit", 0, ES_NUMBER | ES_AUTOHSCROLL, true, L"1"},
        {IDC_PROCESS_SPIN, L"msctls_updown32", 0, UDS_ALIGNRIGHT | UDS_ARROWKEYS, true, nullptr},
        {IDC_VS_GROUP, L"Button", BS_GROUPBOX, 0, false, L"VC version to run"},
        {IDC_VS_LIST, L"ComboBox", CBS_DROPDOWNLIST, CBS_SORT, false, nullptr},
        {IDC_FLUENT_GROUP, L"Button", BS_GROUPBOX, 0, false, L"Fluent version to run"},
        {IDC_FLUENT_LIST, L"ComboBox", CBS_DROPDOWNLIST, 0, false, nullptr},
        {IDC_BROWSE, L"Button", BS_PUSHBUTTON, BS_ICON, false,
         L"Browse Fluent installing folder to run."},
        // With no Fluent found, the Fluent version rule disables both.
        {IDC_CHINESE_FLUENT, L"Button", BS_AUTOCHECKBOX, 0, true, L"Chinese Fluent"},
        {IDC_START_BY_WORKBENCH, L"Button", BS_AUTOCHECKBOX, 0, true, L"Start by WorkBench"},
        {IDC_CALL_COOLPROP, L"Button", BS_AUTOCHECKBOX, 0, false, L"Call CoolProp"},
        {IDC_CALL_FORTRAN, L"Button", BS_AUTOCHECKBOX, 0, false, L"Call Intel Fortran"},
        {IDC_CALL_MATLAB, L"Button", BS_AUTOCHECKBOX, 0, false, L"Call Matlab"},
        {IDC_STATIC_LINK, L"Button", BS_AUTORADIOBUTTON, WS_GROUP, true, L"Static link"},
        {IDC_DYNAMIC_LINK, L"Button", BS_AUTORADIOBUTTON, 0, true, L"Dynamic link"},
        {IDC_MATLAB_LABEL, L"Static", SS_LEFT, 0, false, L"Matlab version to run"},
        {IDC_MATLAB_LIST, L"ComboBox", CBS_DROPDOWNLIST, 0, true, nullptr},
        {IDOK, L"Button", BS_DEFPUSHBUTTON, 0, false, L"OK"},
        {IDC_CANCEL, L"Button", BS_PUSHBUTTON, 0, false, L"Cancel"},
        {IDC_DIMENSION_GROUP, L"Button", BS_GROUPBOX, 0, false, L"Dimension"},
        {IDC_PROCESSING_GROUP, L"Button", BS_GROUPBOX, 0, false, L"Processing Options"},
        {IDC_THIRD_PARTY_GROUP, L"Button", BS_GROUPBOX, 0, false, L"3rdParty Options"},
        {IDC_BANNER, L"Static", SS_OWNERDRAW, 0, false, nullptr},
        {IDC_LOGO, L"Static", SS_OWNERDRAW, 0, false, nullptr},
    };
    HWND control = ::GetWindow(run.Dialog(), GW_CHILD);
    for (const Control& expected : table) {
        ASSERT_NE(control, nullptr) << "missing control " << expected.id;
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(::GetDlgCtrlID(control), expected.id);
        EXPECT_EQ(test::ClassNameOf(control), expected.className);
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
        EXPECT_EQ(style & TypeFieldOf(expected.className), expected.type);
        EXPECT_EQ(style & expected.styles, expected.styles);
        EXPECT_EQ((style & WS_DISABLED) != 0, expected.disabled);
        if (std::wstring_view(expected.className) == L"ComboBox") {
            EXPECT_EQ(style & CBS_SORT, expected.styles & CBS_SORT);
        }
        if (expected.text) {
            EXPECT_EQ(test::TextOf(control), expected.text);
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the table";
    // Created disabled by the template, enabled by the initialisation (Workbench too, once a
    // Fluent of version 12 or later is listed).
    for (int id : {IDC_DOUBLE_PRECISION, IDC_PARALLEL})
        EXPECT_TRUE(::IsWindowEnabled(run.Item(id))) << id;
    EXPECT_EQ(::SendMessageW(run.Item(IDC_PROCESS_SPIN), UDM_GETRANGE, 0, 0), MAKELONG(999, 1));
}

TEST_F(LauncherExe, OutOfRangeCountIsRefusedOnOkWithTheRangeMessage) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    // In parallel mode: a serial launch would go on after the message.
    run.Click(IDC_PARALLEL);
    run.SetText(IDC_PROCESS_COUNT, L"1000");
    run.Press(IDOK);
    HWND box = run.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box), L"Enter an integer between 1 and 999.");
    EXPECT_TRUE(e2e::CloseWith(box, IDOK));
    EXPECT_FALSE(run.HasExited());
    EXPECT_TRUE(run.Close());
}

// The language decision at the first start. Wine takes the system language from the Unix
// locale of the whole run, so the test runner starts this test once per locale and names the
// decision it expects.
TEST_F(LauncherExe, FirstStartStoresTheLanguageOfTheSystem) {
    const char* expected = std::getenv("QV_EXPECTED_LANGUAGE");
    ASSERT_NE(expected, nullptr)
        << "registered only with the decision expected for the runner's locale";
    const bool chinese = std::string_view(expected) == "false";
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage",
                                 ReadView64),
              chinese ? L"false" : L"true");
    EXPECT_EQ(run.Text(IDC_PARALLEL), chinese ? L"并行" : L"Parallel");
    EXPECT_EQ(run.Text(IDC_CANCEL), chinese ? L"取消" : L"Cancel");
    EXPECT_TRUE(run.Close());
}

TEST_F(LauncherExe, StoredWordIsReadIgnoringCaseAndBlanksAndNotRewritten) {
    ASSERT_TRUE(settings.SetString(L"IsUsingEnglishLanguage", L" True "));
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(run.Text(IDC_PARALLEL), L"Parallel");
    const auto raw =
        test::ReadRawValue(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage");
    const std::wstring stored(reinterpret_cast<const wchar_t*>(raw.data.data()),
                              raw.data.size() / 2);
    EXPECT_EQ(stored, std::wstring(L" True ") + L'\0');
}

} // namespace
} // namespace qv

namespace qv {
namespace {

int ComboSelection(HWND combo) {
    return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

TEST_F(LauncherExe, ListsShowWhatIsInstalled) {
    const std::wstring programs32 =
        test::RunsInWin64Prefix() ? L"C:\\Program Files (x86)" : L"C:\\Program Files";
    const std::wstring vs = programs32 + L"\\Microsoft Visual Studio\\2019\\Community";
    test::RemoveOnExit cleanup{
        {vs, L"D:\\Program Files", L"C:\\Program Files\\ANSYS Inc", L"E:\\ANSYS", L"D:\\MATLAB"}};
    ASSERT_TRUE(test::WriteFileBytes(vs + L"\\Common7\\IDE\\devenv.exe", "MZ"));
    ASSERT_TRUE(test::WriteFileBytes(
        vs + L"\\VC\\Auxiliary\\Build\\Microsoft.VCToolsVersion.default.txt", "14.29.30133\r\n"));
    ASSERT_TRUE(test::WriteFileBytes(
        L"D:\\Program Files\\Microsoft Visual Studio 14.0\\Common7\\IDE\\devenv.exe", "MZ"));
    ASSERT_TRUE(test::WriteFileBytes(
        L"C:\\Program Files\\ANSYS Inc\\v201\\fluent\\fluent20.1.0\\src\\udf.h", ""));
    ASSERT_TRUE(
        test::WriteFileBytes(L"E:\\ANSYS\\v222\\fluent\\fluent22.2.0\\src\\udf\\udf.h", ""));
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\MATLAB\\R2018a\\bin\\matlab.exe", "MZ"));
    ASSERT_TRUE(test::WriteFileBytes(L"D:\\MATLAB\\R2019b\\bin\\matlab.exe", "MZ"));
    test::ScopedRegistryKey mathWorks(HKEY_LOCAL_MACHINE, L"Software\\MathWorks");
    test::ScopedRegistryKey m18(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\9.4");
    ASSERT_TRUE(m18.SetString(L"MATLABROOT", L"D:\\MATLAB\\R2018a"));
    test::ScopedRegistryKey m19(HKEY_LOCAL_MACHINE, L"Software\\MathWorks\\MATLAB\\9.7");
    ASSERT_TRUE(m19.SetString(L"MATLABROOT", L"D:\\MATLAB\\R2019b"));
    ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", L"E:\\ANSYS\\v222\\fluent"));
    ASSERT_TRUE(settings.SetString(L"VcVerUsed", L"16"));
    ASSERT_TRUE(settings.SetString(L"MatlabVerUsed", L"2019B"));

    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(test::ComboTexts(run.Item(IDC_FLUENT_LIST)),
              (std::vector<std::wstring>{L"2022 R2", L"2020 R1"}));
    EXPECT_EQ(ComboSelection(run.Item(IDC_FLUENT_LIST)), 0);
    EXPECT_EQ(test::ComboTexts(run.Item(IDC_VS_LIST)),
              (std::vector<std::wstring>{L"2015", L"2019"}));
    EXPECT_EQ(ComboSelection(run.Item(IDC_VS_LIST)), 1);
    EXPECT_EQ(test::ComboTexts(run.Item(IDC_MATLAB_LIST)),
              (std::vector<std::wstring>{L"2018a", L"2019b"}));
    EXPECT_EQ(ComboSelection(run.Item(IDC_MATLAB_LIST)), 1);
}

TEST_F(LauncherExe, ListsShowTheirPlaceholdersWhenNothingIsInstalled) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    const std::pair<int, const wchar_t*> lists[] = {{IDC_FLUENT_LIST, L"Not found"},
                                                    {IDC_VS_LIST, L"need 2010~2019"},
                                                    {IDC_MATLAB_LIST, L"need 2014~2021"}};
    for (const auto& [id, placeholder] : lists) {
        EXPECT_EQ(test::ComboTexts(run.Item(id)), std::vector<std::wstring>{placeholder}) << id;
        EXPECT_EQ(ComboSelection(run.Item(id)), 0) << id;
    }
}

TEST_F(LauncherExe, VisualStudioWithoutItsToolsetFileEndsTheLauncher) {
    test::RemoveOnExit cleanup{{L"D:\\Program Files"}};
    ASSERT_TRUE(test::WriteFileBytes(
        L"D:\\Program Files\\Microsoft Visual Studio\\2017\\Enterprise\\Common7\\IDE\\devenv.exe",
        "MZ"));
    LauncherRun run({}, e2e::FirstWindow::Message);
    HWND box = run.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageText(box).rfind(L"Can't find VCTools file", 0), 0u);
    e2e::Press(box, IDOK);
    EXPECT_TRUE(run.WaitForExit());
}

} // namespace
} // namespace qv
