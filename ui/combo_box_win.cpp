#include "ui/combo_box_win.h"

#include <string>
#include <vector>

namespace qv {

int ComboBoxList::Count() const {
    return static_cast<int>(::SendMessageW(combo_, CB_GETCOUNT, 0, 0));
}

std::wstring ComboBoxList::Text(int index) const {
    const LRESULT length = ::SendMessageW(combo_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return L"";
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(combo_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

void ComboBoxList::Delete(int index) {
    ::SendMessageW(combo_, CB_DELETESTRING, index, 0);
}

void ComboBoxList::Append(std::wstring_view text) {
    const std::wstring entry(text);
    ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void ComboBoxList::Select(int index) {
    ::SendMessageW(combo_, CB_SETCURSEL, index, 0);
}

int ComboBoxList::Selection() const {
    return static_cast<int>(::SendMessageW(combo_, CB_GETCURSEL, 0, 0));
}

} // namespace qv
