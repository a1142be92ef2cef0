// The real QuorvexLauncher.exe's dialogs as a keyboard or screen-reader user and a reader at 96
// and 144 DPI meet them: the names the label rule gives, the tab order, texts that fit their
// controls in the font their templates name, and where each dialog opens.
#include "base/handles_win.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/expected_main_dialog_texts.h"
#include "tests/support/test_support_win.h"
#include "tests/support/text_fit_win.h"
#include "tests/support/web_server_win.h"
#include "update/update_check_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;

// The screen's DPI for the launchers started while it lives; the prefix's own afterwards.
class ScopedScreenDpi {
  public:
    explicit ScopedScreenDpi(DWORD dpi) {
        EXPECT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, Desktop, L"LogPixels", REG_DWORD, &dpi,
                                    sizeof(dpi)),
                  ERROR_SUCCESS);
    }

  private:
    static constexpr wchar_t Desktop[] = L"Control Panel\\Desktop";
    test::ScopedRegistryValue saved_{HKEY_CURRENT_USER, Desktop, L"LogPixels"};
};

// The exe's resources, read as data.
class ExeResources {
  public:
    ExeResources()
        : module_(::LoadLibraryExW(e2e::LauncherExe().c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ExeResources() {
        if (module_) ::FreeLibrary(module_);
    }
    ExeResources(const ExeResources&) = delete;
    ExeResources& operator=(const ExeResources&) = delete;
    HMODULE get() const { return module_; }

  private:
    HMODULE module_;
};

// The launcher asking a web server of its own that announces a newer release.
struct LauncherAndRelease {
    explicit LauncherAndRelease(const char* release)
        : server({{"/product/download/version.txt", 200, release}}),
          run({std::wstring(LoopbackSourcesVariable) + L"=" + server.Address("/product")}) {}
    // The update dialog the check at start shows; nullptr when it does not come.
    HWND UpdateDialog() const {
        return server.Running() && run.Dialog() ? run.WaitForDialogWith(IDC_DOWNLOAD_LINK)
                                                : nullptr;
    }
    test::LoopbackWebServer server;
    LauncherRun run;
};

HWND OpenAboutBox(const LauncherRun& run) {
    run.Command(ID_ABOUT);
    return run.WaitForDialogWith(IDC_PRODUCT_LINE);
}

POINT CentreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// Centred on the area within a pixel (an odd difference of widths cannot halve).
void ExpectCentredOn(HWND window, const RECT& area, const char* what) {
    const POINT centre = CentreOf(WindowRect(window)), wanted = CentreOf(area);
    EXPECT_LE(std::abs(centre.x - wanted.x), 1) << what;
    EXPECT_LE(std::abs(centre.y - wanted.y), 1) << what;
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcWork;
}

// The controls Tab stops at, from the first on, once round.
std::vector<int> TabCycle(HWND dialog) {
    std::vector<int> ids;
    const HWND first = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND at = first; at && ids.size() < 50; at = ::GetNextDlgTabItem(dialog, at, FALSE)) {
        ids.push_back(::GetDlgCtrlID(at));
        if (::GetNextDlgTabItem(dialog, at, FALSE) == first) break;
    }
    return ids;
}

class DialogAccessExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }
    void SetLanguage(bool english) {
        ASSERT_TRUE(settings.SetString(L"IsUsingEnglishLanguage", english ? L"true" : L"false"));
    }
    // What does not fit in the dialog, measured in the font its template names.
    std::vector<test::CutText> CutTexts(HWND dialog, int templateId, int dpi) const {
        const UniqueFont font = test::TemplateFont(resources.get(), templateId, dpi);
        EXPECT_TRUE(font) << "no font in template " << templateId;
        return test::CutTextsOf(dialog, font.get(), dpi);
    }

    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
    ExeResources resources;
};

// Windows names a control without a caption of its own after the static text or group box just
// before it; the icon-only Browse button carries its own text. Both follow the language switch.
TEST_F(DialogAccessExe, ScreenReadersNameEachListAndTheCountByTheLabelBeforeIt) {
    SetLanguage(true);
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    const std::vector<std::pair<int, int>> labelled = {{IDC_PROCESS_COUNT, IDC_PROCESSES_LABEL},
                                                       {IDC_VS_LIST, IDC_VS_GROUP},
                                                       {IDC_FLUENT_LIST, IDC_FLUENT_GROUP},
                                                       {IDC_MATLAB_LIST, IDC_MATLAB_LABEL}};
    const auto expectedText = [](int id, bool chinese) {
        for (const test::ExpectedText& row : test::ExpectedControlTexts)
            if (row.id == id) return std::wstring(chinese ? row.chinese : row.english);
        return std::wstring(L"(no expected text)");
    };
    for (const bool chinese : {false, true, false}) {
        SCOPED_TRACE(chinese ? "Chinese" : "English");
        run.Command(chinese ? ID_LANGUAGE_CHINESE : ID_LANGUAGE_ENGLISH);
        ASSERT_TRUE(test::WaitUntil(
            [&] { return run.Text(IDC_CANCEL) == (chinese ? L"取消" : L"Cancel"); }));
        for (const auto& [control, label] : labelled) {
            const HWND before = ::GetWindow(run.Item(control), GW_HWNDPREV);
            EXPECT_EQ(::GetDlgCtrlID(before), label) << control;
            const std::wstring kind = test::ClassNameOf(before);
            const LONG style = ::GetWindowLongW(before, GWL_STYLE);
            EXPECT_TRUE((kind == L"Static" && (style & SS_TYPEMASK) == SS_LEFT) ||
                        (kind == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX))
                << control;
            EXPECT_EQ(test::TextOf(before), expectedText(label, chinese)) << control;
        }
        EXPECT_EQ(run.Text(IDC_BROWSE),
                  chinese ? L"指定Fluent已安装目录" : L"Browse Fluent installing folder to run.");
    }
    EXPECT_TRUE(run.Close());
}

// The labels stand where screen readers look for them, and Tab and the arrow keys still go as
// before: the focusable controls in the same order, with the same tab stops, in the same groups.
TEST_F(DialogAccessExe, TabAndArrowKeysGoThroughTheMainDialogsControlsInTheirOrder) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    // Each group, from a control with WS_GROUP to the next; a tab stop's id is marked by a "+".
    std::vector<std::vector<std::wstring>> groups;
    for (HWND control = ::GetWindow(run.Dialog(), GW_CHILD); control;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongW(control, GWL_STYLE);
        if ((style & WS_GROUP) || groups.empty()) groups.emplace_back();
        const std::wstring kind = test::ClassNameOf(control);
        const bool focusable = (kind == L"Button" && (style & BS_TYPEMASK) != BS_GROUPBOX) ||
                               kind == L"Edit" || kind == L"ComboBox";
        if (focusable)
            groups.back().push_back(std::to_wstring(::GetDlgCtrlID(control)) +
                                    ((style & WS_TABSTOP) ? L"+" : L""));
    }
    groups.erase(std::remove_if(groups.begin(), groups.end(),
                                [](const auto& group) { return group.empty(); }),
                 groups.end());
    const std::vector<std::vector<std::wstring>> expected = {
        {L"1000+", L"1001"},
        {L"1036+"},
        {L"1002+", L"1003"},
        {L"1006+", L"1005+", L"1011+", L"1025+", L"1046+", L"1050+", L"1044+", L"1039+", L"1040+"},
        {L"1056+", L"1057"},
        {L"1012+", L"1+", L"1010+"},
    };
    EXPECT_EQ(groups, expected);
    EXPECT_TRUE(run.Close());
}

// The links of the About box and the update dialog are tab stops, met in the order they are
// seen: top to bottom, the default button last.
TEST_F(DialogAccessExe, TabReachesTheLinksInTheOrderTheyAreSeen) {
    SetLanguage(true);
    const LauncherAndRelease launcher("2026-R1");
    const LauncherRun& run = launcher.run;
    const HWND update = launcher.UpdateDialog();
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(TabCycle(update), (std::vector<int>{IDC_DOWNLOAD_LINK, IDC_AUTO_CHECK, IDOK}));
    ASSERT_TRUE(e2e::CloseWith(update, IDCANCEL));

    const HWND about = OpenAboutBox(run);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TabCycle(about),
              (std::vector<int>{IDC_SITE_LINK, IDC_CHINA_LINK, IDC_AUTO_CHECK, IDOK}));
    ASSERT_TRUE(e2e::CloseWith(about, IDCANCEL));
    EXPECT_TRUE(run.Close());
}

// Every text of the main dialog, the update dialog and the About box, in the font its template
// names, at 96 and 144 DPI and in both languages.
TEST_F(DialogAccessExe, EveryTextFitsItsControlAtBothDpisInBothLanguages) {
    for (const DWORD dpi : {96u, 144u}) {
        const ScopedScreenDpi screen(dpi);
        for (const bool english : {true, false}) {
            SCOPED_TRACE(std::to_string(dpi) + (english ? " DPI, English" : " DPI, Chinese"));
            SetLanguage(english);
            const LauncherAndRelease launcher("2026-R1-SP2");
            const LauncherRun& run = launcher.run;
            const int at = static_cast<int>(dpi);
            const HWND update = launcher.UpdateDialog();
            ASSERT_NE(update, nullptr);
            auto cut = CutTexts(update, IDD_UPDATE, at);
            EXPECT_TRUE(cut.empty()) << "update dialog:\n" << test::Describe(cut);
            ASSERT_TRUE(e2e::CloseWith(update, IDCANCEL));
            cut = CutTexts(run.Dialog(), IDD_LAUNCHER, at);
            EXPECT_TRUE(cut.empty()) << "main dialog:\n" << test::Describe(cut);
            if (dpi == 96 && english) {
                // The measuring sees a text that does not fit, in a label and in a list.
                run.SetText(IDC_PROCESSES_LABEL, L"Processes(1~999) on this machine");
                ::SendMessageW(run.Item(IDC_MATLAB_LIST), CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(L"need 2014~2021 or later versions"));
                cut = CutTexts(run.Dialog(), IDD_LAUNCHER, at);
                ASSERT_EQ(cut.size(), 2u) << test::Describe(cut);
                EXPECT_EQ(cut[0].id, IDC_PROCESSES_LABEL);
                EXPECT_EQ(cut[1].id, IDC_MATLAB_LIST);
            }
            const HWND about = OpenAboutBox(run);
            ASSERT_NE(about, nullptr);
            cut = CutTexts(about, IDD_ABOUT, at);
            EXPECT_TRUE(cut.empty()) << "About box:\n" << test::Describe(cut);
            ASSERT_TRUE(e2e::CloseWith(about, IDCANCEL));
            EXPECT_TRUE(run.Close());
        }
    }
}

// The main dialog opens in the middle of its monitor's work area, the update dialog and the
// About box in the middle of the main dialog; About's icon stays clear of its "Global:" label.
TEST_F(DialogAccessExe, DialogsOpenCentredAndAboutsIconKeepsClearOfItsLabel) {
    SetLanguage(true);
    for (const DWORD dpi : {96u, 144u}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const ScopedScreenDpi screen(dpi);
        const LauncherAndRelease launcher("2026-R1");
        const LauncherRun& run = launcher.run;
        const HWND update = launcher.UpdateDialog();
        ASSERT_NE(update, nullptr);
        ExpectCentredOn(run.Dialog(), WorkAreaOf(run.Dialog()), "main dialog");
        ExpectCentredOn(update, WindowRect(run.Dialog()), "update dialog");
        ASSERT_TRUE(e2e::CloseWith(update, IDCANCEL));

        const HWND about = OpenAboutBox(run);
        ASSERT_NE(about, nullptr);
        ExpectCentredOn(about, WindowRect(run.Dialog()), "About box");
        RECT overlap{};
        const RECT icon = WindowRect(::GetDlgItem(about, IDC_DIALOG_ICON));
        const RECT label = WindowRect(::GetDlgItem(about, IDC_SITE_LABEL));
        EXPECT_FALSE(::IntersectRect(&overlap, &icon, &label))
            << "icon " << icon.left << "," << icon.top << "-" << icon.right << "," << icon.bottom
            << "; label " << label.left << "," << label.top << "-" << label.right << ","
            << label.bottom;
        ASSERT_TRUE(e2e::CloseWith(about, IDCANCEL));
        EXPECT_TRUE(run.Close());
    }
}

} // namespace
} // namespace qv
