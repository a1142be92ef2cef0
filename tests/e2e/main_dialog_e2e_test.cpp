// The real QuorvexLauncher.exe's main dialog driven through its windows: the states it opens
// with, both languages, Browse through the system's folder picker, and the Tutorial command's
// messages read back from its message boxes.
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/support/expected_main_dialog_texts.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using namespace std::chrono_literals;

enum class FirstWindow { Dialog, Message };

// One run of the launcher with changes to its environment; ended if the test has not. It waits
// for the main dialog, unless told that a message comes first.
class DialogRun {
  public:
    explicit DialogRun(std::vector<std::wstring> environment = {},
                       FirstWindow first = FirstWindow::Dialog) {
        const std::wstring exe = test::PathFromEnvironment("QV_LAUNCHER_EXE");
        test::StartOptions options;
        options.environmentChanges = std::move(environment);
        handles_ = test::StartProgram(exe, L"\"" + exe + L"\"", options);
        if (first == FirstWindow::Dialog)
            test::WaitUntil([this] { return (dialog_ = FindDialog()) != nullptr || HasExited(); });
    }
    ~DialogRun() {
        if (!HasExited()) ::TerminateProcess(handles_.process.get(), 1);
        ::WaitForSingleObject(handles_.process.get(), 10000);
    }
    DialogRun(const DialogRun&) = delete;
    DialogRun& operator=(const DialogRun&) = delete;

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
    std::wstring Text(int id) const { return test::TextOf(Item(id)); }
    bool HasExited() const {
        return ::WaitForSingleObject(handles_.process.get(), 0) == WAIT_OBJECT_0;
    }
    // Posted: a command that opens a message box or a picker only returns once it is closed.
    void Post(int id, int notification = 0) const {
        ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(id, notification),
                       notification ? reinterpret_cast<LPARAM>(Item(id)) : 0);
    }
    // A window of the launcher other than the main dialog, once it shows.
    HWND WaitForOtherWindow() const {
        HWND found = nullptr;
        test::WaitUntil([&] {
            for (HWND window : test::TopLevelWindowsOf(handles_.processId))
                if (window != dialog_ && test::ClassNameOf(window) == L"#32770") found = window;
            return found != nullptr;
        });
        return found;
    }
    bool WaitUntilClosed(HWND window) const {
        return test::WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); });
    }
    bool Close() const {
        ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
        return test::WaitUntil([this] { return HasExited(); });
    }

  private:
    HWND FindDialog() const {
        for (HWND window : test::TopLevelWindowsOf(handles_.processId))
            if (test::ClassNameOf(window) == L"#32770" && ::GetDlgItem(window, IDC_FLUENT_LIST))
                return window;
        return nullptr;
    }
    ProcessHandles handles_;
    HWND dialog_ = nullptr;
};

struct MessageBoxSeen {
    std::wstring caption, text;
};

// Reads an open message box and answers it with OK.
MessageBoxSeen ReadAndCloseMessageBox(const DialogRun& run, HWND box) {
    MessageBoxSeen seen{test::TextOf(box), L""};
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (test::ClassNameOf(child) == L"Static" && !test::TextOf(child).empty())
            seen.text = test::TextOf(child);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(run.WaitUntilClosed(box));
    return seen;
}

class MainDialogExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::IsFile(test::PathFromEnvironment("QV_LAUNCHER_EXE")));
    }
    // A Fluent folder that Browse accepts: one release, one 64-bit start program.
    void LayOutFluent(const std::wstring& folder, const wchar_t* release) {
        cleanup.trees.push_back(folder);
        ASSERT_TRUE(test::WriteFileBytes(folder + L"\\" + release + L"\\src\\udf.h", ""));
        ASSERT_TRUE(test::WriteFileBytes(folder + L"\\ntbin\\win64\\fluent.exe", "MZ"));
    }

    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    test::RemoveOnExit cleanup;
};

TEST_F(MainDialogExe, NewestFluentOpensWithItsOptionsEnabled) {
    LayOutFluent(L"C:\\Program Files\\ANSYS Inc\\v231\\fluent", L"fluent23.1.0");
    DialogRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    EXPECT_EQ(run.Text(IDC_FLUENT_LIST), L"2023 R1");
    EXPECT_EQ(run.Text(IDC_SERIAL), L"1-Core Parallel");
    for (int id : {IDC_CHINESE_FLUENT, IDC_START_BY_WORKBENCH, IDC_PARALLEL, IDC_BROWSE})
        EXPECT_TRUE(::IsWindowEnabled(run.Item(id))) << id;
    for (int id :
         {IDC_PROCESS_COUNT, IDC_PROCESS_SPIN, IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        EXPECT_FALSE(::IsWindowEnabled(run.Item(id))) << id;
    EXPECT_TRUE(run.Close());
}

TEST_F(MainDialogExe, SwitchesToChineseAndBackAndRemembers) {
    ASSERT_TRUE(settings.SetString(L"IsUsingEnglishLanguage", L"true"));
    DialogRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_EQ(run.Text(IDC_CANCEL), L"Cancel");
    std::vector<test::ExpectedText> texts = test::ExpectedControlTexts;
    texts.insert(texts.end(), test::ExpectedPlaceholders.begin(), test::ExpectedPlaceholders.end());
    for (const bool chinese : {true, false}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        run.Post(chinese ? ID_LANGUAGE_CHINESE : ID_LANGUAGE_ENGLISH);
        ASSERT_TRUE(test::WaitUntil(
            [&] { return run.Text(IDC_CANCEL) == (chinese ? L"取消" : L"Cancel"); }));
        EXPECT_EQ(test::TextOf(run.Dialog()), L"Quorvex");
        for (const test::ExpectedText& row : texts)
            EXPECT_EQ(run.Text(row.id), chinese ? row.chinese : row.english) << row.id;
        for (int list : {IDC_VS_LIST, IDC_FLUENT_LIST, IDC_MATLAB_LIST})
            EXPECT_EQ(test::ComboTexts(run.Item(list)).size(), 1u) << list;
        EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, L"IsUsingEnglishLanguage",
                                     ReadView64),
                  chinese ? L"false" : L"true");
    }
    EXPECT_TRUE(run.Close());
}

// The system's folder picker, answered as a user answers it: a folder typed into its name box
// and its OK button pressed, or its Cancel button.
constexpr int PickerNameBox = 1152; // edt1 of the common dialogs
void PickInPicker(const DialogRun& run, HWND picker, const std::wstring& folder) {
    ASSERT_NE(picker, nullptr);
    ASSERT_NE(::GetDlgItem(picker, PickerNameBox), nullptr) << "no name box in the picker";
    ::SendMessageW(::GetDlgItem(picker, PickerNameBox), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(folder.c_str()));
    ::PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(picker, IDOK)));
    EXPECT_TRUE(run.WaitUntilClosed(picker));
}

TEST_F(MainDialogExe, BrowseAddsThePickedFolderAfterRefusingOneTooHigh) {
    const std::wstring remembered = L"D:\\other\\fluent";
    const std::wstring picked = L"D:\\Ansys Versions\\v201\\fluent";
    LayOutFluent(remembered, L"fluent22.2.0");
    LayOutFluent(picked, L"fluent20.1.0");
    ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", remembered));
    DialogRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_EQ(test::ComboTexts(run.Item(IDC_FLUENT_LIST)), std::vector<std::wstring>{L"2022 R2"});

    // Cancelled, nothing changes.
    run.Post(IDC_BROWSE, BN_CLICKED);
    HWND picker = run.WaitForOtherWindow();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(test::TextOf(picker), L"Select Folder"); // the system's own title
    ::PostMessageW(picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(picker, IDCANCEL)));
    ASSERT_TRUE(run.WaitUntilClosed(picker));

    run.Post(IDC_BROWSE, BN_CLICKED);
    PickInPicker(run, run.WaitForOtherWindow(), L"D:\\Ansys Versions\\v201\\");
    HWND box = run.WaitForOtherWindow();
    ASSERT_NE(box, nullptr);
    const MessageBoxSeen refused = ReadAndCloseMessageBox(run, box);
    EXPECT_EQ(refused.caption, L"Error");
    EXPECT_EQ(refused.text,
              L"Invalid Fluent installing folder because no Fluent or multiple Fluent versions "
              L"found in \"D:\\Ansys Versions\\v201\"\nTypical Fluent installing folder should be "
              L"like \"C:\\Program Files\\ANSYS Inc\\v182\\fluent\".");
    // The picker comes back.
    PickInPicker(run, run.WaitForOtherWindow(), picked);

    ASSERT_TRUE(
        test::WaitUntil([&] { return test::ComboTexts(run.Item(IDC_FLUENT_LIST)).size() == 2; }));
    EXPECT_EQ(test::ComboTexts(run.Item(IDC_FLUENT_LIST)),
              (std::vector<std::wstring>{L"2022 R2", L"2020 R1"}));
    EXPECT_EQ(::SendMessageW(run.Item(IDC_FLUENT_LIST), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(run.Text(IDC_SERIAL), L"Serial");
    EXPECT_TRUE(::IsWindowEnabled(run.Item(IDC_CHINESE_FLUENT)));
    EXPECT_EQ(
        ReadRegistryString(HKEY_CURRENT_USER, SettingsKeyPath, L"FluentPathsUsed", ReadView64),
        picked + L";" + remembered);
    EXPECT_TRUE(run.Close());
}

// The folder that holds the users' profile folders, as the system records it, moved for a while
// to where nothing is: the user's own profile folder is then missing.
class MovedProfilesFolder {
  public:
    explicit MovedProfilesFolder(const std::wstring& folder)
        : saved_(test::ReadRawValue(HKEY_LOCAL_MACHINE, ProfileList, Name)) {
        moved_ = saved_.exists &&
                 test::WriteRegistryValue(
                     HKEY_LOCAL_MACHINE, ProfileList, Name, REG_EXPAND_SZ, folder.c_str(),
                     static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
    ~MovedProfilesFolder() {
        if (saved_.exists) {
            EXPECT_TRUE(test::WriteRegistryValue(HKEY_LOCAL_MACHINE, ProfileList, Name, saved_.type,
                                                 saved_.data.data(),
                                                 static_cast<DWORD>(saved_.data.size())));
        }
    }
    MovedProfilesFolder(const MovedProfilesFolder&) = delete;
    MovedProfilesFolder& operator=(const MovedProfilesFolder&) = delete;
    bool Moved() const { return moved_; }

  private:
    static constexpr wchar_t ProfileList[] =
        L"Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    static constexpr wchar_t Name[] = L"ProfilesDirectory";
    test::RawValue saved_;
    bool moved_ = false;
};

// Without its profile folder the launcher cannot keep the user's .fluent file: it says so and
// ends.
TEST_F(MainDialogExe, MissingHomeFolderEndsTheLauncherWithItsMessage) {
    for (const bool chinese : {false, true}) {
        ASSERT_TRUE(settings.SetString(L"IsUsingEnglishLanguage", chinese ? L"false" : L"true"));
        MovedProfilesFolder profiles(L"C:\\nobody here");
        ASSERT_TRUE(profiles.Moved());
        DialogRun run({}, FirstWindow::Message);
        HWND box = run.WaitForOtherWindow();
        ASSERT_NE(box, nullptr);
        const MessageBoxSeen seen = ReadAndCloseMessageBox(run, box);
        EXPECT_EQ(seen.caption, chinese ? L"错误" : L"Error");
        EXPECT_EQ(seen.text, chinese ? L"无法找到用户目录，可以尝试重启"
                                     : L"Can't find user home directory. Restart may work.");
        EXPECT_TRUE(test::WaitUntil([&] { return run.HasExited(); }));
    }
}

// The Tutorial command's messages as the user reads them, in both languages: no product folder
// variable, and a product folder without the document.
TEST_F(MainDialogExe, TutorialTellsWhatIsMissing) {
    test::TempFolder product;
    struct Case {
        bool chinese;
        std::wstring variable; // "" removes it
        std::wstring caption, text;
    };
    const std::vector<Case> cases = {
        {false, L"", L"Error",
         L"Can't find \"QUORVEX_PATH\" environment variable. Please set it first."},
        {true, L"", L"错误", L"无法找到\"QUORVEX_PATH\"环境变量，请先设置它"},
        {false, product.Path(), L"Error",
         L"Can't find \"" + product.Path() + L"\\Tutorial_en.pdf\"."},
        {true, product.Path(), L"错误", L"无法找到\"" + product.Path() + L"\\Tutorial_cn.pdf\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(settings.SetString(L"IsUsingEnglishLanguage", c.chinese ? L"false" : L"true"));
        DialogRun run({L"QUORVEX_PATH=" + c.variable});
        ASSERT_NE(run.Dialog(), nullptr);
        run.Post(ID_TUTORIAL);
        HWND box = run.WaitForOtherWindow();
        ASSERT_NE(box, nullptr);
        const MessageBoxSeen seen = ReadAndCloseMessageBox(run, box);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.text, c.text);
        EXPECT_TRUE(run.Close());
    }
}

} // namespace
} // namespace qv
