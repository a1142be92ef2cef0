#include "ui/balloon_tooltip_win.h"

#include <commctrl.h>

#include <string>

namespace qv {

bool BalloonTooltip::Show(HWND owner, HWND control, std::wstring_view text) {
    window_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    owner, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!window_) return false;
    std::wstring textCopy(text); // the tooltip copies it
    TOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = textCopy.data();
    if (!::SendMessageW(window_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        window_.reset();
        return false;
    }
    ::SendMessageW(window_.get(), TTM_ACTIVATE, TRUE, 0);
    return true;
}

} // namespace qv
