// A small dialog layer: a dialog object runs one template, receives its events through virtual
// handlers and reaches its controls by id. The object lives in the window's DWLP_USER slot;
// GWLP_USERDATA stays free for what the launcher shares with other processes.
#pragma once

#include "base/handles_win.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

class Dialog {
  public:
    Dialog(int templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the result it was ended with, or -1 when it could not
    // open (a missing template or a control that could not be created). A dialog with an owner
    // opens centred on it, inside the work area of the owner's monitor.
    INT_PTR RunModal();
    void End(INT_PTR result);

    HWND Window() const { return window_; }
    // A control by its id. Each is asked of the window server once: its handle stays for the
    // window's life.
    HWND Item(int id) const;

    // Control helpers used by every dialog.
    void SetItemText(int id, std::wstring_view text) const;
    std::wstring ItemText(int id) const;
    void EnableItem(int id, bool enable) const;
    bool IsItemChecked(int id) const;
    void CheckItem(int id, bool check) const;
    // Gives the control the focus as the dialog manager does, the default button included.
    void FocusItem(int id) const;
    // Loads the icon at the size of the icon control (its shorter side) and shows it there, so
    // that it is drawn within the control at any DPI. The icon is the caller's to keep while the
    // control shows it. The one the control showed before is left alone: it is the template's
    // shared icon or one a caller still owns, and neither is destroyed here.
    UniqueIcon ShowIconAtItemSize(int id, int iconResource) const;

    // Makes the menu the window's. Once set, the window destroys it with itself, and the menu it
    // replaces is destroyed here; when it cannot be set, it is destroyed and the old one stays.
    bool ReplaceMenu(UniqueMenu menu);

  protected:
    // Opens the dialog without a loop of its own. Only Modeless<> offers it to callers, so that
    // the window always goes before the object's members do.
    [[nodiscard]] bool Open();

    // A menu resource the window is made with, named in a copy of the template; 0 for none.
    virtual int TemplateMenu() const { return 0; }
    // WM_INITDIALOG. Returns whether the system should give the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // WM_COMMAND; true when handled. The default sends IDOK to OnOK and IDCANCEL to OnCancel.
    virtual bool OnCommand(int id, int notification, HWND control);
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // WM_CLOSE (close box, system menu, Alt+F4).
    virtual void OnClose() { OnCancel(); }
    // Any other message. Returns true when handled, with the message's result in result (a
    // WM_NOTIFY answer, a brush for WM_CTLCOLOR*, ...); the layer hands it on as the system
    // expects it of a dialog procedure.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    int templateId_;
    HWND parent_;
    HWND window_ = nullptr;
    mutable std::vector<std::pair<int, HWND>> items_; // found so far
    bool modal_ = false;
};

// A dialog of type D opened without a loop of its own. Its window is destroyed while the whole
// D still exists, so the last messages reach complete handlers.
template <typename D> class Modeless final : public D {
  public:
    using D::D;
    ~Modeless() override { Close(); }
    Modeless(const Modeless&) = delete;
    Modeless& operator=(const Modeless&) = delete;

    using D::Open;
    void Close() {
        if (this->Window()) ::DestroyWindow(this->Window());
    }
};

} // namespace qv
