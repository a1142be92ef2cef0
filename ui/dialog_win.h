// A small dialog layer: a dialog object runs one template, receives its events through virtual
// handlers and reaches its controls by id. The object lives in the window's DWLP_USER slot;
// GWLP_USERDATA stays free for what the launcher shares with other processes.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

class Dialog {
public:
    Dialog(int templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the result it was ended with (-1 when it could not open).
    INT_PTR RunModal();
    // Opens the dialog without a loop of its own (tests drive it through the caller's loop).
    [[nodiscard]] bool Open();
    void End(INT_PTR result);

    HWND Window() const { return window_; }
    HWND Item(int id) const { return ::GetDlgItem(window_, id); }

    // Control helpers used by every dialog.
    void SetItemText(int id, std::wstring_view text) const;
    std::wstring ItemText(int id) const;
    void EnableItem(int id, bool enable) const;
    bool IsItemChecked(int id) const;
    void CheckItem(int id, bool check) const;

protected:
    // WM_INITDIALOG. Returns whether the system should give the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // WM_COMMAND. The default sends IDOK to OnOK and IDCANCEL to OnCancel.
    virtual void OnCommand(int id, int notification, HWND control);
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // WM_CLOSE (close box, system menu, Alt+F4).
    virtual void OnClose() { OnCancel(); }
    // Any other message. Return true when handled, with the dialog procedure's result in result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    HWND window_ = nullptr;
    bool modal_ = false;
};

} // namespace qv
