#include "ui/dialog_win.h"

#include "base/window_text_win.h"

namespace qv {

Dialog::Dialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    // A modeless dialog must not outlive its object: its procedure would find a dangling pointer.
    if (window_ && !modal_) ::DestroyWindow(window_);
}

INT_PTR Dialog::RunModal() {
    modal_ = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_,
                             &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::Open() {
    modal_ = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_,
                                &Dialog::Procedure, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::End(INT_PTR result) {
    if (modal_) {
        ::EndDialog(window_, result);
    } else if (window_) {
        ::DestroyWindow(window_);
    }
}

void Dialog::SetItemText(int id, std::wstring_view text) const {
    ::SetDlgItemTextW(window_, id, std::wstring(text).c_str());
}

std::wstring Dialog::ItemText(int id) const { return WindowText(Item(id)); }

void Dialog::EnableItem(int id, bool enable) const { ::EnableWindow(Item(id), enable ? TRUE : FALSE); }

bool Dialog::IsItemChecked(int id) const {
    return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Dialog::CheckItem(int id, bool check) const {
    ::SendMessageW(Item(id), BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Dialog::OnCommand(int id, int, HWND) {
    if (id == IDOK) OnOK();
    if (id == IDCANCEL) OnCancel();
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE; // messages before WM_INITDIALOG (WM_SETFONT)
    const INT_PTR result = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
    }
    return result;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    default: {
        INT_PTR result = FALSE;
        return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
    }
}

} // namespace qv
