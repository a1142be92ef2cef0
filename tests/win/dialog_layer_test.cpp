// The dialog layer's contracts with the system, on real dialogs made from the main dialog's
// template by a small dialog class of the test's own.
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/dialog_win.h"
#include "ui/launcher_dlg_win.h"
#include "ui/workbench_tip_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr int HandledCommand = 4242;
constexpr int UnhandledCommand = 4243;
constexpr int MissingTemplate = 4999;

// Writes to the log when the dialog's members are destroyed.
class MemberWitness {
  public:
    explicit MemberWitness(std::vector<std::string>* log) : log_(log) {}
    ~MemberWitness() {
        alive = false;
        if (log_) log_->push_back("members destroyed");
    }
    MemberWitness(const MemberWitness&) = delete;
    MemberWitness& operator=(const MemberWitness&) = delete;
    bool alive = true;

  private:
    std::vector<std::string>* log_;
};

class ProbeDialog : public Dialog {
  public:
    explicit ProbeDialog(std::vector<std::string>* log = nullptr, int templateId = IDD_LAUNCHER,
                         HWND owner = nullptr)
        : Dialog(templateId, owner), log_(log), witness_(log) {}

    LRESULT deltaPosAnswer = 0;
    int deltaPosCount = 0;
    UniqueIcon ShowIcon(int iconResource) const {
        return ShowIconAtItemSize(IDC_DIALOG_ICON, iconResource);
    }

  protected:
    bool OnCommand(int id, int notification, HWND control) override {
        if (id == HandledCommand) return true;
        return Dialog::OnCommand(id, notification, control);
    }
    bool OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == UDN_DELTAPOS) {
            ++deltaPosCount;
            result = deltaPosAnswer;
            return true;
        }
        if (message == WM_DESTROY && log_)
            log_->push_back(witness_.alive ? "WM_DESTROY with members alive"
                                           : "WM_DESTROY too late");
        return false;
    }

  private:
    std::vector<std::string>* log_;
    MemberWitness witness_;
};

class DialogLayer : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
};

int SpinPosition(HWND spin) {
    return static_cast<int>(::SendMessageW(spin, UDM_GETPOS32, 0, 0));
}

// A spin asks its parent with UDN_DELTAPOS before it moves; a non-zero answer, which a dialog
// gives through DWLP_MSGRESULT, keeps it where it is.
TEST_F(DialogLayer, NotifyAnswerReachesTheControl) {
    struct Case {
        LRESULT answer;
        int position;
    };
    for (const Case& c : std::vector<Case>{{TRUE, 5}, {FALSE, 6}}) {
        Modeless<ProbeDialog> dialog;
        ASSERT_TRUE(dialog.Open());
        HWND spin = dialog.Item(IDC_PROCESS_SPIN);
        HWND buddy = dialog.Item(IDC_PROCESS_COUNT);
        ASSERT_EQ(reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)), buddy);
        ::SendMessageW(spin, UDM_SETRANGE32, 1, 999);
        ::SendMessageW(spin, UDM_SETPOS32, 0, 5);
        dialog.deltaPosAnswer = c.answer;
        // The arrow keys reach the spin through its buddy.
        ::SendMessageW(buddy, WM_KEYDOWN, VK_UP, 0);
        ::SendMessageW(buddy, WM_KEYUP, VK_UP, 0);
        EXPECT_EQ(dialog.deltaPosCount, 1) << c.answer;
        EXPECT_EQ(SpinPosition(spin), c.position) << c.answer;
    }
}

// An icon shown in place of another leaves the other to its owner: each is destroyed once, by
// whoever holds it.
TEST_F(DialogLayer, AnIconShownInPlaceOfAnotherLeavesTheOtherToItsOwner) {
    Modeless<ProbeDialog> dialog(nullptr, IDD_ABOUT);
    ASSERT_TRUE(dialog.Open());
    UniqueIcon first = dialog.ShowIcon(IDI_LAUNCHER);
    ASSERT_TRUE(first);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(first.get(), &info)) << "the control";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    const UniqueIcon second = dialog.ShowIcon(IDI_UPDATE_FOUND);
    ASSERT_TRUE(second);
    info = {};
    EXPECT_TRUE(::GetIconInfo(first.get(), &info)) << "the first icon went with the second's show";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(
        reinterpret_cast<HICON>(::SendMessageW(dialog.Item(IDC_DIALOG_ICON), STM_GETICON, 0, 0)),
        second.get());
    EXPECT_TRUE(::DestroyIcon(first.release()));
}

// A box over a minimised owner takes the middle of the work area, not the owner's place off the
// screen pinned to an edge; over an owner on the screen, the owner's middle (the control).
TEST_F(DialogLayer, ABoxOverAMinimisedOwnerTakesTheMiddleOfTheWorkArea) {
    RECT work{};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const auto middle = [](const RECT& r) {
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    for (const bool minimised : {false, true}) {
        SCOPED_TRACE(minimised ? "minimised" : "on the screen");
        const UniqueWindow owner(::CreateWindowExW(
            0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, work.left + 10, work.top + 10,
            400, 300, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(owner);
        if (minimised) ::ShowWindow(owner.get(), SW_MINIMIZE);
        ASSERT_EQ(::IsIconic(owner.get()) != FALSE, minimised);
        Modeless<ProbeDialog> box(nullptr, IDD_ABOUT, owner.get());
        ASSERT_TRUE(box.Open());
        RECT placed{}, over{};
        ::GetWindowRect(box.Window(), &placed);
        ::GetWindowRect(owner.get(), &over);
        const POINT expected = middle(minimised ? work : over);
        EXPECT_LE(std::abs(middle(placed).x - expected.x), 1);
        EXPECT_LE(std::abs(middle(placed).y - expected.y), 1);
        box.Close();
    }
}

// What the dialog procedure itself returns for a command: TRUE only when a handler took it, so
// that the system's default handling applies to the others.
TEST_F(DialogLayer, CommandIsReportedHandledOnlyWhenAHandlerTookIt) {
    Modeless<ProbeDialog> dialog;
    ASSERT_TRUE(dialog.Open());
    const auto procedure =
        reinterpret_cast<DLGPROC>(::GetWindowLongPtrW(dialog.Window(), DWLP_DLGPROC));
    ASSERT_NE(procedure, nullptr);
    struct Case {
        int id;
        INT_PTR result;
    };
    for (const Case& c : std::vector<Case>{{HandledCommand, TRUE}, {UnhandledCommand, FALSE}})
        EXPECT_EQ(procedure(dialog.Window(), WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED), 0), c.result)
            << c.id;
    EXPECT_TRUE(::IsWindow(dialog.Window()));
}

HMENU NewMenu() {
    HMENU menu = ::CreateMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"&Item");
    return menu;
}

// The window destroys the menu it shows; a menu that is replaced is destroyed right then, so
// none is left for anyone else to destroy.
TEST_F(DialogLayer, MenuBelongsToTheWindowOnceSet) {
    Modeless<ProbeDialog> dialog;
    ASSERT_TRUE(dialog.Open());
    HMENU first = NewMenu(), second = NewMenu(), third = NewMenu();
    ASSERT_TRUE(dialog.ReplaceMenu(UniqueMenu(first)));
    EXPECT_EQ(::GetMenu(dialog.Window()), first);
    ASSERT_TRUE(dialog.ReplaceMenu(UniqueMenu(second)));
    EXPECT_FALSE(::IsMenu(first));
    EXPECT_TRUE(::IsMenu(second));
    ASSERT_TRUE(dialog.ReplaceMenu(UniqueMenu(third)));
    EXPECT_FALSE(::IsMenu(second));
    EXPECT_EQ(::GetMenu(dialog.Window()), third);
    dialog.Close();
    EXPECT_FALSE(::IsMenu(third));
}

TEST_F(DialogLayer, MainDialogMenuGoesWithItsWindow) {
    test::ScriptedPrompts prompts; // discovery may have something to say
    HMENU menu = nullptr;
    {
        Modeless<CLauncherDlg> dialog;
        ASSERT_TRUE(dialog.Open());
        menu = ::GetMenu(dialog.Window());
        ASSERT_TRUE(::IsMenu(menu));
    }
    EXPECT_FALSE(::IsMenu(menu));
}

// A modeless dialog's last messages reach the whole object: its window goes first, then its
// members.
TEST_F(DialogLayer, ModelessWindowGoesBeforeTheMembers) {
    std::vector<std::string> log;
    {
        Modeless<ProbeDialog> dialog(&log);
        ASSERT_TRUE(dialog.Open());
        EXPECT_TRUE(log.empty());
    }
    EXPECT_EQ(log,
              (std::vector<std::string>{"WM_DESTROY with members alive", "members destroyed"}));
}

TEST_F(DialogLayer, MissingTemplateCannotOpen) {
    Modeless<ProbeDialog> present;
    EXPECT_TRUE(present.Open());
    ProbeDialog modal(nullptr, MissingTemplate);
    EXPECT_EQ(modal.RunModal(), -1);
    Modeless<ProbeDialog> modeless(nullptr, MissingTemplate);
    EXPECT_FALSE(modeless.Open());
    EXPECT_EQ(modeless.Window(), nullptr);
}

// A window the dialog is opened over, at a place of the test's choosing.
UniqueWindow OwnerAt(int x, int y, int width, int height) {
    return UniqueWindow(::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, x, y,
                                          width, height, nullptr, nullptr, nullptr, nullptr));
}

RECT WindowRectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// An owned dialog opens over the middle of its owner; near the edge of the screen it is moved
// inside the work area rather than hanging off it.
TEST_F(DialogLayer, OwnedDialogOpensCentredOnItsOwnerInsideTheWorkArea) {
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    const UniqueWindow owner = OwnerAt(work.left + 90, work.top + 70, 900, 700);
    ASSERT_TRUE(owner);
    {
        Modeless<CWorbenchWarningDlg> tip(owner.get());
        ASSERT_TRUE(tip.Open());
        const RECT over = WindowRectOf(owner.get()), dialog = WindowRectOf(tip.Window());
        EXPECT_LE(std::abs((dialog.left + dialog.right) - (over.left + over.right)), 2);
        EXPECT_LE(std::abs((dialog.top + dialog.bottom) - (over.top + over.bottom)), 2);
    }
    const UniqueWindow corner = OwnerAt(work.right - 60, work.bottom - 40, 60, 40);
    Modeless<CWorbenchWarningDlg> tip(corner.get());
    ASSERT_TRUE(tip.Open());
    const RECT dialog = WindowRectOf(tip.Window());
    EXPECT_LE(dialog.right, work.right);
    EXPECT_LE(dialog.bottom, work.bottom);
    EXPECT_GE(dialog.left, work.left);
    EXPECT_GE(dialog.top, work.top);
}

} // namespace
} // namespace qv
