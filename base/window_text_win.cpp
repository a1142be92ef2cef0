#include "base/window_text_win.h"

#include <vector>

namespace qv {

std::wstring WindowText(HWND window) {
    std::vector<wchar_t> buffer(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1,
                                L'\0');
    const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::wstring(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

} // namespace qv
