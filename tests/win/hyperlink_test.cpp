// The links of a real dialog, the About box, driven in this process: tooltips, colours, hovering,
// and how a click opens the address when the shell cannot.
#include "resources/resource.h"
#include "tests/support/dialog_inspection_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"
#include "ui/about_dlg_win.h"
#include "base/text.h"
#include "update/update_sources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace qv {
namespace {

constexpr wchar_t PropertyName[] =
    L"_Hyperlink_Object_Pointer_\\{AFEED740-CC6D-47c5-831D-9848FD916EEF}";

// The default value of a key under HKEY_CLASSES_ROOT, changed for a test and put back after it.
class ScopedClassesDefault {
  public:
    explicit ScopedClassesDefault(std::wstring path)
        : path_(std::move(path)), saved_(test::ReadRawValue(HKEY_CLASSES_ROOT, path_, L"")) {}
    ~ScopedClassesDefault() {
        const bool restored = saved_.exists
                                  ? test::WriteRegistryValue(HKEY_CLASSES_ROOT, path_, L"",
                                                             saved_.type, saved_.data.data(),
                                                             static_cast<DWORD>(saved_.data.size()))
                                  : test::DeleteRegistryValue(HKEY_CLASSES_ROOT, path_, L"");
        EXPECT_TRUE(restored) << "cannot restore " << path_;
    }
    ScopedClassesDefault(const ScopedClassesDefault&) = delete;
    ScopedClassesDefault& operator=(const ScopedClassesDefault&) = delete;
    [[nodiscard]] bool Set(std::wstring_view text) const {
        return test::WriteRegistryText(HKEY_CLASSES_ROOT, path_, L"", text);
    }

  private:
    std::wstring path_;
    test::RawValue saved_;
};

COLORREF TextColourFor(HWND dialog, HWND control) {
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(control));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return colour;
}

bool IsUnderlined(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    return font.lfUnderline != 0;
}

// The About box's two links with the shell unable to open web addresses: the address then goes
// to the program that opens .htm pages, if there is one.
class AboutBoxLinks : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        ASSERT_TRUE(shellOpener.Set(L"\"C:\\nowhere\\none.exe\" \"%1\""));
        ASSERT_TRUE(records.Set(recordFolder.Path()));
    }
    bool OpenBox() {
        if (!about.Open()) return false;
        site = about.Item(IDC_SITE_LINK);
        china = about.Item(IDC_CHINA_LINK);
        return site && china;
    }
    void Click(HWND link) { ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2)); }

    ScopedClassesDefault shellOpener{L"https\\shell\\open\\command"};
    test::ScopedRegistryKey htm{HKEY_CLASSES_ROOT, L".htm"};
    test::ScopedRegistryKey pageClass{HKEY_CLASSES_ROOT, L"QvTestPage"};
    test::TempFolder recordFolder;
    test::ScopedVariable records{fake::RecordDirVariable};
    test::ScriptedPrompts prompts;
    Modeless<CAboutDlg> about{nullptr, false};
    HWND site = nullptr;
    HWND china = nullptr;
};

TEST_F(AboutBoxLinks, ShowTheSiteAddressesWithTooltipsInTheLanguageOfTheBox) {
    {
        const test::ScopedLanguage chinese(InterfaceLanguage::Chinese);
        ASSERT_TRUE(OpenBox());
    }
    EXPECT_EQ(test::TextOf(site), ProductSite);
    EXPECT_EQ(test::TextOf(china), ChinaSite);
    // The box keeps the words of the language it opened in.
    EXPECT_EQ(test::TooltipTextOf(about.Window(), IDC_SITE_LINK),
              L"访问" + std::wstring(ProductSite));
    EXPECT_EQ(test::TooltipTextOf(about.Window(), IDC_CHINA_LINK),
              L"访问" + std::wstring(ChinaSite));
    for (HWND link : {site, china})
        EXPECT_TRUE(::GetWindowLongW(link, GWL_STYLE) & SS_NOTIFY);
    about.Close();

    ASSERT_TRUE(OpenBox());
    EXPECT_EQ(test::TooltipTextOf(about.Window(), IDC_SITE_LINK),
              L"Visit " + std::wstring(ProductSite));
}

TEST_F(AboutBoxLinks, EachLinkTakesItsColourFromItsOwnVisitedState) {
    ASSERT_TRUE(OpenBox());
    EXPECT_NE(::GetPropW(about.Window(), PropertyName), nullptr);
    EXPECT_EQ(TextColourFor(about.Window(), site), RGB(0, 0, 255));
    EXPECT_EQ(TextColourFor(about.Window(), china), RGB(0, 0, 255));
    // No .htm program either: the click opens nothing, and still the link counts as visited.
    Click(site);
    EXPECT_EQ(TextColourFor(about.Window(), site), RGB(128, 0, 128));
    EXPECT_EQ(TextColourFor(about.Window(), china), RGB(0, 0, 255));
    EXPECT_NE(TextColourFor(about.Window(), about.Item(IDC_PRODUCT_LINE)), RGB(0, 0, 255));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(test::ReadFakeRecords(recordFolder.Path(), L"browser").empty());
}

TEST_F(AboutBoxLinks, ClickOrSpaceGivesTheAddressToTheProgramOfWebPages) {
    const std::wstring browser =
        test::FakeProgramFoldersFromEnvironment().Runnable() + L"\\browser.exe";
    ASSERT_TRUE(test::IsFile(browser));
    ASSERT_TRUE(htm.SetString(L"", L"QvTestPage"));
    // A command line without a quoted place for the address: said so, nothing started.
    test::ScopedRegistryKey command(HKEY_CLASSES_ROOT, L"QvTestPage\\shell\\open\\command");
    ASSERT_TRUE(command.SetString(L"", L"\"" + browser + L"\" %1"));
    ASSERT_TRUE(OpenBox());
    Click(site);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].owner, nullptr);
    EXPECT_EQ(prompts.messages[0].text, L"error hyperlink");
    EXPECT_EQ(prompts.messages[0].caption, L"Error");
    EXPECT_EQ(prompts.messages[0].style, static_cast<UINT>(MB_OK));

    ASSERT_TRUE(command.SetString(L"", L"\"" + browser + L"\" -nohome \"%1\""));
    ::SendMessageW(china, WM_KEYUP, VK_SPACE, 0);
    std::vector<test::FakeRecord> started;
    ASSERT_TRUE(test::WaitUntil([&] {
        started = test::ReadFakeRecords(recordFolder.Path(), L"browser");
        return !started.empty();
    }));
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].Value(fake::key::CommandLine),
              L"\"" + browser + L"\" -nohome  " + ChinaSite);
    EXPECT_EQ(started[0].Argv(), (std::vector<std::wstring>{browser, L"-nohome", ChinaSite}));
    EXPECT_EQ(prompts.messages.size(), 1u);
}

// An association whose program path has blanks and no quotes: the system, left to find the
// program in the line, would start a planted C:\Program.exe first. The program is named.
TEST_F(AboutBoxLinks, AnUnquotedProgramOfWebPagesIsStartedByItsOwnName) {
    const test::FakeProgramFolders fakes = test::FakeProgramFoldersFromEnvironment();
    const std::wstring browser = L"C:\\Program Files\\QvTest Web\\browser.exe";
    test::RemoveOnExit cleanup{{L"C:\\Program Files\\QvTest Web", L"C:\\Program.exe"}};
    ASSERT_TRUE(test::PlaceFakeProgram(fakes, L"browser.exe", test::TestsAre64Bit, browser));
    ASSERT_TRUE(
        test::PlaceFakeProgram(fakes, L"VsRegEdit.exe", test::TestsAre64Bit, L"C:\\Program.exe"));
    ASSERT_TRUE(htm.SetString(L"", L"QvTestPage"));
    test::ScopedRegistryKey command(HKEY_CLASSES_ROOT, L"QvTestPage\\shell\\open\\command");
    ASSERT_TRUE(command.SetString(L"", browser + L" -nohome \"%1\""));
    ASSERT_TRUE(OpenBox());
    Click(site);
    std::vector<test::FakeRecord> started;
    ASSERT_TRUE(test::WaitUntil([&] {
        started = test::ReadFakeRecords(recordFolder.Path(), L"browser");
        return !started.empty() || !test::ReadFakeRecords(recordFolder.Path(), L"program").empty();
    }));
    EXPECT_TRUE(test::ReadFakeRecords(recordFolder.Path(), L"program").empty())
        << "C:\\Program.exe ran";
    ASSERT_EQ(started.size(), 1u);
    EXPECT_TRUE(EqualsNoCase(started[0].Value(fake::key::Module), browser));
    EXPECT_EQ(started[0].Value(fake::key::CommandLine),
              browser + L" -nohome  " + std::wstring(ProductSite));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(AboutBoxLinks, PointerOverTheLinkUnderlinesItUntilItLeaves) {
    ASSERT_TRUE(OpenBox());
    EXPECT_FALSE(IsUnderlined(site));
    ::SendMessageW(site, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(::GetCapture(), site);
    EXPECT_TRUE(IsUnderlined(site));
    EXPECT_FALSE(IsUnderlined(china));
    EXPECT_EQ(::SendMessageW(site, WM_SETCURSOR, reinterpret_cast<WPARAM>(site), 0), 1);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    // Left of the control: the position reads as a large unsigned number, far outside.
    ::SendMessageW(site, WM_MOUSEMOVE, 0, MAKELPARAM(-3, 2));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(IsUnderlined(site));
    ::SendMessageW(site, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(::GetCapture(), site);
    EXPECT_TRUE(IsUnderlined(site));
    ::ReleaseCapture();
    EXPECT_FALSE(IsUnderlined(site));
}

} // namespace
} // namespace qv
