#include "tests/support/dialog_inspection_win.h"

#include "tests/support/top_level_windows_win.h"

#include <commctrl.h>

namespace qv::test {
namespace {

struct TooltipSearch {
    HWND owner;
    HWND tool;
    std::wstring text;
};

BOOL CALLBACK ReadToolText(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TooltipSearch*>(parameter);
    if (ClassNameOf(window) != TOOLTIPS_CLASSW || ::GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    wchar_t text[1024] = {};
    TOOLINFOW tool{sizeof(tool)};
    tool.hwnd = search->owner;
    tool.uId = reinterpret_cast<UINT_PTR>(search->tool);
    tool.lpszText = text;
    if (!::SendMessageW(window, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return TRUE;
    tool.lpszText = text;
    ::SendMessageW(window, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
    search->text = text;
    return FALSE;
}

} // namespace

std::wstring TooltipTextOf(HWND parent, int controlId) {
    TooltipSearch search{parent, ::GetDlgItem(parent, controlId), L"(no tooltip)"};
    ::EnumThreadWindows(::GetWindowThreadProcessId(parent, nullptr), &ReadToolText,
                        reinterpret_cast<LPARAM>(&search));
    return search.text;
}

ScopedLanguage::ScopedLanguage(InterfaceLanguage language) : saved_(CurrentInterfaceLanguage()) {
    SetInterfaceLanguage(language);
}

ScopedLanguage::~ScopedLanguage() {
    SetInterfaceLanguage(saved_);
}

} // namespace qv::test
