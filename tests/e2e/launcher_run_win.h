// One run of the real QuorvexLauncher.exe, started as a user starts it and driven through its
// windows; ended by the test if it has not ended.
#pragma once

#include "base/handles_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::e2e {

// The window a run waits for before the test goes on.
enum class FirstWindow { MainDialog, Message };

// The exe the test runner built.
std::wstring LauncherExe();

// The text of a message box (its caption is the window's own text).
std::wstring MessageText(HWND box);
// Presses a button of a dialog through a posted command, as its click does: what the command
// opens (a message box, a picker) runs a loop of its own and returns only once it is closed.
void Press(HWND dialog, int id);
// Presses a button that closes the dialog (OK, Cancel, a message box's answer), then waits until
// the dialog is gone.
bool CloseWith(HWND dialog, int id);

class LauncherRun {
  public:
    // "NAME=value" sets a variable of the launcher's environment, "NAME=" removes it.
    explicit LauncherRun(std::vector<std::wstring> environment = {},
                         FirstWindow first = FirstWindow::MainDialog,
                         const std::wstring& exe = LauncherExe());
    ~LauncherRun();
    LauncherRun(const LauncherRun&) = delete;
    LauncherRun& operator=(const LauncherRun&) = delete;

    // The main dialog once it showed; nullptr when the run waited for a message instead.
    HWND Dialog() const { return dialog_; }
    DWORD ProcessId() const { return handles_.processId; }
    HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
    std::wstring Text(int id) const;
    void SetText(int id, const std::wstring& text) const;

    bool HasExited() const;
    bool WaitForExit() const;
    DWORD ExitCode() const;
    // WM_CLOSE to the main dialog, then until the launcher has ended.
    bool Close() const;

    // Clicks a check box or radio button: the control and the dialog's handler react at once.
    void Click(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // A button of the main dialog, pressed through a posted command.
    void Press(int id) const { e2e::Press(dialog_, id); }
    // A menu command, posted: it comes with no control and no notification.
    void Command(int id) const;
    // Until the dialog's thread has handled what was posted to it so far, so that a dialog a
    // posted command opens has begun; false once the launcher has ended.
    bool WaitForPostedCommands() const;

    // A visible dialog of the launcher other than the main dialog (a message box, the tip, the
    // picker), the one in front, waited for; nullptr if none shows.
    HWND WaitForOtherDialog() const;
    // Whether one shows, or has begun to: a modal one disables the main dialog before it shows.
    bool ShowsOtherDialog() const;
    // A visible dialog of the launcher with this control (the About box, the update dialog).
    HWND DialogWith(int controlId) const;
    HWND WaitForDialogWith(int controlId) const;

    // The process id the launcher records in its window for the add-on's module, waited for;
    // 0 if none comes before the launcher ends.
    DWORD WaitForRecordedProcess() const;
    // What the launcher shows now, for a failure's message: its exit code, or the text of the
    // dialog in front.
    std::wstring Describe() const;

  private:
    HWND FindOtherDialog() const;
    ProcessHandles handles_;
    HWND dialog_ = nullptr;
};

} // namespace qv::e2e
