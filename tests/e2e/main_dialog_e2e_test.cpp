// The real QuorvexLauncher.exe's main dialog driven through its windows: the states it opens
// with, both languages, Browse through the system's folder picker, and the Tutorial command's
// messages read back from its message boxes.
#include "base/handles_win.h"
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/expected_main_dialog_texts.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

using e2e::FirstWindow;
using e2e::LauncherRun;

struct MessageBoxSeen {
    std::wstring caption, text;
};

// Reads an open message box and answers it with OK.
MessageBoxSeen ReadAndCloseMessageBox(HWND box) {
    MessageBoxSeen seen{test::TextOf(box), e2e::MessageText(box)};
    EXPECT_TRUE(e2e::CloseWith(box, IDOK));
    return seen;
}

class MainDialogExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }
    // A Fluent folder that Browse accepts: one release, one 64-bit start program.
    void LayOutFluent(const std::wstring& folder, const wchar_t* release) {
        cleanup.trees.push_back(folder);
        ASSERT_TRUE(test::WriteFileBytes(folder + L"\\" + release + L"\\src\\udf.h", ""));
        ASSERT_TRUE(test::WriteFileBytes(folder + L"\\ntbin\\win64\\fluent.exe", "MZ"));
    }

    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    test::RemoveOnExit cleanup;
};

// How wide the screen shows the Browse button's folder: the run of its front's colour.
int FolderWidthOnScreen(HWND button) {
    RECT area{};
    ::GetWindowRect(button, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = ::GetDC(nullptr);
    UniqueMemoryDc copy(::CreateCompatibleDC(screen));
    UniqueBitmap pixels(::CreateCompatibleBitmap(screen, width, height));
    const HGDIOBJ previous = ::SelectObject(copy.get(), pixels.get());
    ::BitBlt(copy.get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    int left = width, right = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (::GetPixel(copy.get(), x, y) == RGB(0xf4, 0xc5, 0x42)) {
                left = x < left ? x : left;
                right = x > right ? x : right;
            }
    ::SelectObject(copy.get(), previous);
    return right < left ? 0 : right - left + 1;
}

// The folder is drawn from the icon's frame for the screen's DPI, never scaled from 16 pixels:
// at 144 DPI it is half as wide again as at 96, where it is the 16-pixel frame's 15 pixels.
TEST_F(MainDialogExe, TheBrowseFolderGrowsWithTheScreensDpi) {
    const wchar_t* desktop = L"Control Panel\\Desktop";
    test::ScopedRegistryValue logPixels(HKEY_CURRENT_USER, desktop, L"LogPixels");
    const auto widthAt = [&](DWORD dpi) {
        EXPECT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi,
                                    sizeof(dpi)),
                  ERROR_SUCCESS);
        LauncherRun run;
        EXPECT_NE(run.Dialog(), nullptr);
        int width = 0;
        test::WaitUntil([&] { return (width = FolderWidthOnScreen(run.Item(IDC_BROWSE))) > 0; });
        EXPECT_TRUE(run.Close());
        return width;
    };
    const int at96 = widthAt(96), at144 = widthAt(144);
    EXPECT_EQ(at96, 15);
    EXPECT_GE(at144 * 2, at96 * 3 - 2) << at144;
}

TEST_F(MainDialogExe, NewestFluentOpensWithItsOptionsEnabled) {
    LayOutFluent(L"C:\\Program Files\\ANSYS Inc\\v231\\fluent", L"fluent23.1.0");
    LauncherRun run;
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
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_EQ(run.Text(IDC_CANCEL), L"Cancel");
    std::vector<test::ExpectedText> texts = test::ExpectedControlTexts;
    texts.insert(texts.end(), test::ExpectedPlaceholders.begin(), test::ExpectedPlaceholders.end());
    for (const bool chinese : {true, false}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        run.Command(chinese ? ID_LANGUAGE_CHINESE : ID_LANGUAGE_ENGLISH);
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
void PickInPicker(HWND picker, const std::wstring& folder) {
    ASSERT_NE(picker, nullptr);
    ASSERT_NE(::GetDlgItem(picker, PickerNameBox), nullptr) << "no name box in the picker";
    ::SendMessageW(::GetDlgItem(picker, PickerNameBox), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(folder.c_str()));
    EXPECT_TRUE(e2e::CloseWith(picker, IDOK));
}

TEST_F(MainDialogExe, BrowseAddsThePickedFolderAfterRefusingOneTooHigh) {
    const std::wstring remembered = L"D:\\other\\fluent";
    const std::wstring picked = L"D:\\Ansys Versions\\v201\\fluent";
    LayOutFluent(remembered, L"fluent22.2.0");
    LayOutFluent(picked, L"fluent20.1.0");
    ASSERT_TRUE(settings.SetString(L"FluentPathsUsed", remembered));
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_EQ(test::ComboTexts(run.Item(IDC_FLUENT_LIST)), std::vector<std::wstring>{L"2022 R2"});

    // Cancelled, nothing changes.
    run.Press(IDC_BROWSE);
    HWND picker = run.WaitForOtherDialog();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(test::TextOf(picker), L"Select Folder"); // the system's own title
    ASSERT_TRUE(e2e::CloseWith(picker, IDCANCEL));

    run.Press(IDC_BROWSE);
    PickInPicker(run.WaitForOtherDialog(), L"D:\\Ansys Versions\\v201\\");
    HWND box = run.WaitForOtherDialog();
    ASSERT_NE(box, nullptr);
    const MessageBoxSeen refused = ReadAndCloseMessageBox(box);
    EXPECT_EQ(refused.caption, L"Error");
    EXPECT_EQ(refused.text,
              L"Invalid Fluent installing folder because no Fluent or multiple Fluent versions "
              L"found in \"D:\\Ansys Versions\\v201\"\nTypical Fluent installing folder should be "
              L"like \"C:\\Program Files\\ANSYS Inc\\v182\\fluent\".");
    // The picker comes back.
    PickInPicker(run.WaitForOtherDialog(), picked);

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
        LauncherRun run({}, FirstWindow::Message);
        HWND box = run.WaitForOtherDialog();
        ASSERT_NE(box, nullptr);
        const MessageBoxSeen seen = ReadAndCloseMessageBox(box);
        EXPECT_EQ(seen.caption, chinese ? L"错误" : L"Error");
        EXPECT_EQ(seen.text, chinese ? L"无法找到用户目录，可以尝试重启"
                                     : L"Can't find user home directory. Restart may work.");
        EXPECT_TRUE(run.WaitForExit());
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
        LauncherRun run({L"QUORVEX_PATH=" + c.variable});
        ASSERT_NE(run.Dialog(), nullptr);
        run.Command(ID_TUTORIAL);
        HWND box = run.WaitForOtherDialog();
        ASSERT_NE(box, nullptr);
        const MessageBoxSeen seen = ReadAndCloseMessageBox(box);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.text, c.text);
        EXPECT_TRUE(run.Close());
    }
}

} // namespace
} // namespace qv
