#include "ui/dialog_window_view_win.h"

#include "base/window_text_win.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <string>

namespace qv {

void DialogWindowView::Attach() {
    visualStudio_.Attach(dialog_.Item(IDC_VS_LIST));
    fluent_.Attach(dialog_.Item(IDC_FLUENT_LIST));
    matlab_.Attach(dialog_.Item(IDC_MATLAB_LIST));
    RECT client{};
    ::GetClientRect(dialog_.Window(), &client);
    clientHeight_ = client.bottom - client.top;
}

ComboBoxList& DialogWindowView::Combo(int id) {
    switch (id) {
    case IDC_VS_LIST:
        return visualStudio_;
    case IDC_MATLAB_LIST:
        return matlab_;
    default:
        return fluent_;
    }
}

// Each control is found once per change: finding one asks the window server.
void DialogWindowView::Enable(int id, bool enable) {
    HWND item = dialog_.Item(id);
    if ((::IsWindowEnabled(item) != FALSE) != enable) ::EnableWindow(item, enable ? TRUE : FALSE);
}

void DialogWindowView::Check(int id, bool check) {
    HWND item = dialog_.Item(id);
    const LRESULT wanted = check ? BST_CHECKED : BST_UNCHECKED;
    if (::SendMessageW(item, BM_GETCHECK, 0, 0) != wanted)
        ::SendMessageW(item, BM_SETCHECK, wanted, 0);
}

void DialogWindowView::SetText(int id, std::wstring_view text) {
    HWND item = dialog_.Item(id);
    if (WindowText(item) != text) ::SetWindowTextW(item, std::wstring(text).c_str());
}

void DialogWindowView::SetSpinRange(int lowest, int highest) {
    ::SendMessageW(dialog_.Item(IDC_PROCESS_SPIN), UDM_SETRANGE, 0, MAKELPARAM(highest, lowest));
}

void DialogWindowView::SetTitle(std::wstring_view title) {
    ::SetWindowTextW(dialog_.Window(), std::wstring(title).c_str());
}

int MenuResource(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? IDR_MENU_ENGLISH : IDR_MENU_CHINESE;
}

void DialogWindowView::ShowMenu(InterfaceLanguage language) {
    if (!dialog_.ReplaceMenu(UniqueMenu(
            ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(MenuResource(language))))))
        return;
    // SetMenu has already laid out the frame; only a shown bar needs drawing.
    if (::IsWindowVisible(dialog_.Window())) ::DrawMenuBar(dialog_.Window());
    KeepTemplateClientHeight();
}

// The menu bar takes its height from the client area, and each language's bar may wrap
// differently.
void DialogWindowView::KeepTemplateClientHeight() {
    HWND window = dialog_.Window();
    RECT client{}, frame{};
    ::GetClientRect(window, &client);
    ::GetWindowRect(window, &frame);
    const int missing = clientHeight_ - (client.bottom - client.top);
    if (missing != 0)
        ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left,
                       frame.bottom - frame.top + missing,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindowView::SetBrowseTooltip(std::wstring_view text) {
    browseTooltipText_ = text;
    if (tooltip_.Window()) tooltip_.Show(dialog_.Window(), dialog_.Item(IDC_BROWSE), text);
}

void DialogWindowView::MakeBrowseTooltip() {
    if (!tooltip_.Window())
        tooltip_.Show(dialog_.Window(), dialog_.Item(IDC_BROWSE), browseTooltipText_);
}

} // namespace qv
