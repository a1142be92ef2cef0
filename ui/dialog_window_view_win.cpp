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

void DialogWindowView::Enable(int id, bool enable) {
    if ((::IsWindowEnabled(dialog_.Item(id)) != FALSE) != enable) dialog_.EnableItem(id, enable);
}

void DialogWindowView::Check(int id, bool check) {
    const LRESULT wanted = check ? BST_CHECKED : BST_UNCHECKED;
    if (::SendMessageW(dialog_.Item(id), BM_GETCHECK, 0, 0) != wanted) dialog_.CheckItem(id, check);
}

void DialogWindowView::SetText(int id, std::wstring_view text) {
    if (dialog_.ItemText(id) != text) dialog_.SetItemText(id, text);
}

void DialogWindowView::SetSpinRange(int lowest, int highest) {
    ::SendMessageW(dialog_.Item(IDC_PROCESS_SPIN), UDM_SETRANGE, 0, MAKELPARAM(highest, lowest));
}

void DialogWindowView::SetTitle(std::wstring_view title) {
    if (WindowText(dialog_.Window()) != title)
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
