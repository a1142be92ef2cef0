#include "ui/dialog_win.h"

#include "base/attention_win.h"
#include "base/window_text_win.h"
#include "ui/dialog_template.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qv {

namespace {

// Messages whose result a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

// The template from the resources with the menu named in it, in double words as the dialog
// manager reads it; empty when there is no menu to name or the template cannot carry one.
std::vector<std::uint32_t> TemplateCopyWithMenu(int templateId, int menuId) {
    if (menuId == 0) return {};
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes) return {};
    const std::vector<std::uint8_t> copy = TemplateWithMenu(
        bytes, ::SizeofResource(module, resource), static_cast<std::uint16_t>(menuId));
    std::vector<std::uint32_t> aligned((copy.size() + 3) / 4, 0);
    if (!copy.empty()) std::memcpy(aligned.data(), copy.data(), copy.size());
    return aligned;
}

// Over the middle of the owner, moved inside the work area of the owner's monitor where it would
// stick out: before the dialog shows, so that it never appears anywhere else.
void CentreOnOwner(HWND window, HWND owner) {
    RECT own{}, over{};
    ::GetWindowRect(window, &own);
    ::GetWindowRect(owner, &over);
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG width = own.right - own.left, height = own.bottom - own.top;
    const auto within = [](LONG at, LONG size, LONG low, LONG high) {
        return std::max(low, std::min(at, high - size));
    };
    const LONG x = within((over.left + over.right - width) / 2, width, work.left, work.right);
    const LONG y = within((over.top + over.bottom - height) / 2, height, work.top, work.bottom);
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

Dialog::Dialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    // Only a dialog that opened itself modeless gets here with a window. The derived parts are
    // gone, so the window is cut off from the object before it is destroyed.
    if (window_) {
        ::SetWindowLongPtrW(window_, DWLP_USER, 0);
        ::DestroyWindow(window_);
    }
}

INT_PTR Dialog::RunModal() {
    modal_ = true;
    const std::vector<std::uint32_t> withMenu = TemplateCopyWithMenu(templateId_, TemplateMenu());
    if (!withMenu.empty())
        return ::DialogBoxIndirectParamW(
            ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(withMenu.data()),
            parent_, &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_,
                             &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::Open() {
    modal_ = false;
    const std::vector<std::uint32_t> withMenu = TemplateCopyWithMenu(templateId_, TemplateMenu());
    if (!withMenu.empty())
        return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                            reinterpret_cast<const DLGTEMPLATE*>(withMenu.data()),
                                            parent_, &Dialog::Procedure,
                                            reinterpret_cast<LPARAM>(this)) != nullptr;
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

HWND Dialog::Item(int id) const {
    for (const auto& [itemId, item] : items_)
        if (itemId == id && ::IsWindow(item)) return item;
    HWND item = ::GetDlgItem(window_, id);
    if (item) items_.emplace_back(id, item);
    return item;
}

void Dialog::SetItemText(int id, std::wstring_view text) const {
    ::SetWindowTextW(Item(id), std::wstring(text).c_str());
}

std::wstring Dialog::ItemText(int id) const {
    return WindowText(Item(id));
}

void Dialog::EnableItem(int id, bool enable) const {
    ::EnableWindow(Item(id), enable ? TRUE : FALSE);
}

bool Dialog::IsItemChecked(int id) const {
    return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Dialog::CheckItem(int id, bool check) const {
    ::SendMessageW(Item(id), BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Dialog::FocusItem(int id) const {
    ::SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

UniqueIcon Dialog::ShowIconAtItemSize(int id, int iconResource) const {
    RECT area{};
    ::GetClientRect(Item(id), &area);
    const int side = std::min(area.right - area.left, area.bottom - area.top);
    UniqueIcon icon(
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconResource),
                                        IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
    const auto previous = reinterpret_cast<HICON>(
        ::SendMessageW(Item(id), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0));
    if (previous) ::DestroyIcon(previous);
    return icon;
}

bool Dialog::ReplaceMenu(UniqueMenu menu) {
    HMENU previous = ::GetMenu(window_);
    if (!::SetMenu(window_, menu.get())) return false;
    static_cast<void>(menu.release()); // the window's now
    if (previous) ::DestroyMenu(previous);
    return true;
}

bool Dialog::OnCommand(int id, int, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        dialog->items_.clear();
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE; // messages before WM_INITDIALOG (WM_SETFONT)
    const INT_PTR result = dialog->Dispatch(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
        dialog->items_.clear();
    }
    return result;
}

INT_PTR Dialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (const HWND owner = ::GetWindow(window, GW_OWNER)) {
            CentreOnOwner(window, owner);
            DrawAttentionIfBehind(window);
        }
        return OnInitDialog() ? TRUE : FALSE;
    }
    LRESULT result = 0;
    if (!Handle(message, wParam, lParam, result)) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    // The handler may have ended a modeless dialog; its window is gone then, and so is the slot.
    if (::IsWindow(window)) ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
        OnClose();
        return true;
    default:
        return OnMessage(message, wParam, lParam, result);
    }
}

} // namespace qv
