// The links of a real dialog, the About box, driven in this process: tooltips, colours, hovering,
// and how a click opens the address when the shell cannot.
#include "resources/resource.h"
#include "tests/support/dialog_inspection_win.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"
#include "ui/about_dlg_win.h"
#include "base/shell_and_com_win.h"
#include "base/system_win.h"
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

// What CoInitializeEx answers on a thread: S_FALSE when it is already in an apartment, S_OK when
// this call had to enter one. Left as it was found.
HRESULT ApartmentAnswer() {
    const HRESULT answer = com::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(answer)) com::CoUninitialize();
    return answer;
}

// The answer on the calling thread at each call into the shell, while it lives.
class ShellCallApartments {
  public:
    ShellCallApartments() {
        answers_.clear();
        shell::SetCallObserver([] { answers_.push_back(ApartmentAnswer()); });
    }
    ~ShellCallApartments() { shell::SetCallObserver(nullptr); }
    ShellCallApartments(const ShellCallApartments&) = delete;
    ShellCallApartments& operator=(const ShellCallApartments&) = delete;
    const std::vector<HRESULT>& Answers() const { return answers_; }

  private:
    static inline std::vector<HRESULT> answers_;
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
    // A key as the box's message loop hands it on: the dialog manager first.
    void Key(UINT message, WPARAM key) {
        MSG msg{::GetFocus(), message, key,
                static_cast<LPARAM>(message == WM_KEYUP ? 0xC0000001u : 1u)};
        if (!::IsDialogMessageW(about.Window(), &msg)) ::DispatchMessageW(&msg);
    }
    void Press(WPARAM key) {
        Key(WM_KEYDOWN, key);
        Key(WM_KEYUP, key);
    }
    // The program of web pages, started with the address in place of "%1".
    std::wstring UseBrowserProgram() {
        const std::wstring browser =
            test::FakeProgramFoldersFromEnvironment().Runnable() + L"\\browser.exe";
        EXPECT_TRUE(test::IsFile(browser));
        EXPECT_TRUE(htm.SetString(L"", L"QvTestPage"));
        EXPECT_TRUE(browserCommand.SetString(L"", L"\"" + browser + L"\" \"%1\""));
        return browser;
    }
    // The addresses the program of web pages was given, once count of them have come.
    std::vector<std::wstring> OpenedAddresses(std::size_t count) const {
        std::vector<test::FakeRecord> started;
        test::WaitUntil([&] {
            started = test::ReadFakeRecords(recordFolder.Path(), L"browser");
            return started.size() >= count;
        });
        std::vector<std::wstring> addresses;
        for (const test::FakeRecord& record : started)
            addresses.push_back(record.Argv().back());
        return addresses;
    }
    // The pixels of the row just above the link on the box's face that are not the face's colour:
    // the dots of the focus rectangle.
    int DotsAbove(HWND link) const {
        RECT rect{};
        ::GetWindowRect(link, &rect);
        ::MapWindowPoints(HWND_DESKTOP, about.Window(), reinterpret_cast<POINT*>(&rect), 2);
        const WindowDc dc(about.Window());
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        int dots = 0;
        for (LONG x = rect.left; x < rect.right; ++x)
            dots += ::GetPixel(dc.get(), x, rect.top - 1) != face;
        return dots;
    }

    ScopedClassesDefault shellOpener{L"https\\shell\\open\\command"};
    test::ScopedRegistryKey htm{HKEY_CLASSES_ROOT, L".htm"};
    test::ScopedRegistryKey pageClass{HKEY_CLASSES_ROOT, L"QvTestPage"};
    test::ScopedRegistryKey browserCommand{HKEY_CLASSES_ROOT, L"QvTestPage\\shell\\open\\command"};
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
    const std::wstring browser = UseBrowserProgram();
    // A command line without a quoted place for the address: said so, nothing started.
    ASSERT_TRUE(browserCommand.SetString(L"", L"\"" + browser + L"\" %1"));
    ASSERT_TRUE(OpenBox());
    Click(site);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].owner, nullptr);
    EXPECT_EQ(prompts.messages[0].text, L"error hyperlink");
    EXPECT_EQ(prompts.messages[0].caption, L"Error");
    EXPECT_EQ(prompts.messages[0].style, static_cast<UINT>(MB_OK));

    ASSERT_TRUE(browserCommand.SetString(L"", L"\"" + browser + L"\" -nohome \"%1\""));
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

// Some handlers of addresses need COM: the link's thread is in an apartment while the shell works,
// and leaves it afterwards. The thread itself is in none (the control).
TEST_F(AboutBoxLinks, TheShellOpensTheAddressFromACOMApartment) {
    UseBrowserProgram();
    ASSERT_TRUE(OpenBox());
    ASSERT_EQ(ApartmentAnswer(), S_OK);
    {
        const ShellCallApartments apartments;
        Click(site);
        EXPECT_EQ(apartments.Answers(), std::vector<HRESULT>{S_FALSE});
    }
    EXPECT_EQ(OpenedAddresses(1), std::vector<std::wstring>{ProductSite});
    EXPECT_EQ(ApartmentAnswer(), S_OK) << "the apartment outlived the call";
}

// An association that names its program without a folder: the program is taken from the system
// folder, never from the current folder, where after a launch the user's start folder is and a
// file of that name may have been put.
TEST_F(AboutBoxLinks, AProgramOfWebPagesNamedWithoutAFolderIsTakenFromTheSystemFolderOnly) {
    const test::FakeProgramFolders fakes = test::FakeProgramFoldersFromEnvironment();
    test::TempFolder current;
    const std::wstring name = L"qvtestbrowser.exe";
    const std::wstring system = SystemFolderFile(name);
    test::RemoveOnExit cleanup{{system}};
    ASSERT_TRUE(test::PlaceFakeProgram(fakes, L"browser.exe", test::TestsAre64Bit, current / name));
    ASSERT_TRUE(htm.SetString(L"", L"QvTestPage"));
    test::ScopedRegistryKey command(HKEY_CLASSES_ROOT, L"QvTestPage\\shell\\open\\command");
    ASSERT_TRUE(command.SetString(L"", name + L" \"%1\""));
    struct CurrentFolder {
        wchar_t before[MAX_PATH] = {};
        explicit CurrentFolder(const std::wstring& folder) {
            ::GetCurrentDirectoryW(MAX_PATH, before);
            ::SetCurrentDirectoryW(folder.c_str());
        }
        ~CurrentFolder() { ::SetCurrentDirectoryW(before); }
    } inCurrent(current.Path());
    for (const bool inSystemFolder : {false, true}) {
        SCOPED_TRACE(inSystemFolder ? "also in the system folder" : "in the current folder only");
        if (inSystemFolder) {
            ASSERT_TRUE(test::PlaceFakeProgram(fakes, L"browser.exe", test::TestsAre64Bit, system));
        }
        test::ClearLaunchLog();
        ASSERT_TRUE(OpenBox());
        Click(site); // decides, and starts or not, before it returns
        about.Close();
        EXPECT_EQ(Contains(test::ReadLaunchLog(), L"web-page program not started"), !inSystemFolder)
            << test::ReadLaunchLog();
        if (!inSystemFolder) continue;
        std::vector<test::FakeRecord> started;
        EXPECT_TRUE(test::WaitUntil([&] {
            started = test::ReadFakeRecords(recordFolder.Path(), L"qvtestbrowser");
            return !started.empty();
        })) << test::ReadLaunchLog();
        ASSERT_EQ(started.size(), 1u);
        // As the program names itself: a 32-bit one on 64-bit Windows sees its system folder
        // through the redirection to SysWOW64.
        const std::wstring module = ToLower(started[0].Value(fake::key::Module));
        EXPECT_EQ(module.substr(module.find_last_of(L'\\') + 1), name) << module;
        EXPECT_FALSE(StartsWith(module, ToLower(current.Path()))) << module;
    }
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

// From OK, where the box opens, Tab goes round to the links in the order they are seen; Enter
// opens the focused link instead of pressing OK, and so does the space bar.
TEST_F(AboutBoxLinks, TabReachesEachLinkWhichEnterOrSpaceOpens) {
    UseBrowserProgram();
    ASSERT_TRUE(OpenBox());
    ::ShowWindow(about.Window(), SW_SHOW);
    ASSERT_EQ(::GetFocus(), about.Item(IDOK));
    Press(VK_TAB);
    ASSERT_EQ(::GetFocus(), site);
    Press(VK_RETURN);
    EXPECT_TRUE(::IsWindow(about.Window())) << "Enter pressed OK";
    EXPECT_EQ(OpenedAddresses(1), std::vector<std::wstring>{ProductSite});
    Press(VK_TAB);
    ASSERT_EQ(::GetFocus(), china);
    Press(VK_SPACE);
    EXPECT_EQ(OpenedAddresses(2), (std::vector<std::wstring>{ProductSite, ChinaSite}));
    Press(VK_TAB);
    EXPECT_EQ(::GetFocus(), about.Item(IDC_AUTO_CHECK));
    EXPECT_TRUE(prompts.messages.empty());
}

// The dotted rectangle around the focused link stays when the box is painted again, and goes
// with the focus.
TEST_F(AboutBoxLinks, TheFocusedLinkKeepsItsFocusRectangleThroughARepaint) {
    ASSERT_TRUE(OpenBox());
    ::ShowWindow(about.Window(), SW_SHOW);
    const auto repaint = [&] {
        ::RedrawWindow(about.Window(), nullptr, nullptr,
                       RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    repaint();
    EXPECT_EQ(DotsAbove(site), 0);
    ::SendMessageW(about.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(site), TRUE);
    ASSERT_EQ(::GetFocus(), site);
    const int width = [&] {
        RECT rect{};
        ::GetWindowRect(site, &rect);
        return static_cast<int>(rect.right - rect.left);
    }();
    EXPECT_GE(DotsAbove(site), width / 3);
    repaint();
    EXPECT_GE(DotsAbove(site), width / 3) << "gone after a repaint";
    ::SendMessageW(about.Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(china), TRUE);
    EXPECT_EQ(DotsAbove(site), 0);
    EXPECT_GE(DotsAbove(china), width / 4);
    repaint();
    EXPECT_EQ(DotsAbove(site), 0);
}

} // namespace
} // namespace qv
