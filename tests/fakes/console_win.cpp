#include "tests/fakes/console_win.h"

#include "tests/fakes/fake_record.h"

namespace qv::fake {

namespace {

constexpr wchar_t ConsoleProperty[] = L"QvSimulatedConsole";

std::wstring EditText(HWND edit) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

bool Console::Show(HINSTANCE instance) {
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = &::DefWindowProcW;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = ConsoleFrameClass;
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&frameClass);
    frame_ = ::CreateWindowExW(0, ConsoleFrameClass, ConsoleFrameTitle, WS_OVERLAPPEDWINDOW,
                               CW_USEDEFAULT, CW_USEDEFAULT, 480, 240, nullptr, nullptr, instance,
                               nullptr);
    if (!frame_) return false;
    edit_ = ::CreateWindowExW(0, L"Edit", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                              0, 460, 200, frame_, nullptr, instance, nullptr);
    if (!edit_) return false;
    ::SetPropW(edit_, ConsoleProperty, this);
    editDefault_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Console::EditProcedure)));
    ::ShowWindow(frame_, SW_SHOWNORMAL);
    ::ShowWindow(frame_, SW_SHOW);
    return true;
}

std::wstring Console::Entry() const {
    if (pasted_ && typed_) return L"both";
    if (pasted_) return L"pasted";
    return typed_ ? L"typed" : L"none";
}

LRESULT CALLBACK Console::EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Console*>(::GetPropW(edit, ConsoleProperty));
    if (message == WM_PASTE) {
        self->pasted_ = true;
    } else if (message == WM_CHAR && wParam == 13) {
        self->line_ = EditText(edit);
        self->entered_ = true;
    } else if (message == WM_CHAR) {
        self->typed_ = true;
    }
    return ::CallWindowProcW(self->editDefault_, edit, message, wParam, lParam);
}

} // namespace qv::fake
