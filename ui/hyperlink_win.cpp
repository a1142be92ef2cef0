#include "ui/hyperlink_win.h"

#include "base/com_win.h"
#include "base/command_line_head.h"
#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/program_start_win.h"
#include "base/shell_and_com_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/registry_win.h"
#include "base/user_prompts_win.h"
#include "texts/hyperlink_texts.h"
#include "ui/hyperlink_text.h"

#include <commctrl.h>
#include <shellapi.h>

#include <new>
#include <optional>

namespace qv {

namespace {

// On a link control the property holds its CHyperLink; on the link's parent, the parent's own
// window procedure from before the subclassing.
constexpr wchar_t PropertyName[] =
    L"_Hyperlink_Object_Pointer_\\{AFEED740-CC6D-47c5-831D-9848FD916EEF}";

constexpr COLORREF UnvisitedColour = RGB(0, 0, 255);
constexpr COLORREF VisitedColour = RGB(128, 0, 128);

// The bit of a key message's lParam that says the key was already down: a repeat.
constexpr LPARAM KeyWasDown = 1 << 30;

bool IsEnterPressed(const MSG* message) {
    return message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
}

void SetFontWithoutRedraw(HWND control, HFONT font) {
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

WNDPROC ProcedureOf(HWND window) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
}

void SetProcedure(HWND window, WNDPROC procedure) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

bool IsFullPath(std::wstring_view path) {
    const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    return drive || StartsWith(path, L"\\\\");
}

// The program file a name at the head of the command stands for: a full path as it is, a bare
// name only in the system folders. Never one in the current folder, which after a launch is the
// user's start folder, and where a file of that name could have been put.
std::wstring ProgramFileFor(const std::wstring& name) {
    if (IsFullPath(name)) return FileExists(name) ? name : std::wstring();
    if (name.find_first_of(L"\\/:") != std::wstring::npos) return {};
    wchar_t windows[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(windows, MAX_PATH);
    for (const std::wstring& path :
         {SystemFolderFile(name),
          length && length < MAX_PATH ? std::wstring(windows, length) + L"\\" + name : L""})
        if (!path.empty() && FileExists(path)) return path;
    return {};
}

// The association's command names its program as it sees fit, quoted or not. The program is
// told from the head of the line and started by its file, so that no shorter path the system
// would try first (C:\Program.exe for C:\Program Files\...) can start instead.
void StartShownNormally(std::wstring commandLine) {
    const std::optional<std::wstring> program = ProgramAtHead(
        commandLine, [](const std::wstring& name) { return !ProgramFileFor(name).empty(); });
    const std::wstring file = program ? ProgramFileFor(*program) : std::wstring();
    if (file.empty()) {
        Log(L"web-page program not started: no program file, by its full path or in the system "
            L"folders, at the head of " +
            commandLine);
        return;
    }
    static_cast<void>(StartProcess({file, std::move(commandLine), SW_SHOWNORMAL}));
}

// The fallback when the shell cannot open the address: the program that opens web pages.
void OpenWithWebPageProgram(const std::wstring& address) {
    const std::wstring pageClass =
        ReadRegistryString(HKEY_CLASSES_ROOT, L".htm", L"", KEY_QUERY_VALUE);
    if (pageClass.empty()) return;
    const std::wstring command = ReadRegistryString(
        HKEY_CLASSES_ROOT, pageClass + L"\\shell\\open\\command", L"", KEY_QUERY_VALUE);
    if (command.empty()) return;
    BrowserCommand composed = ComposeBrowserCommand(command, address);
    switch (composed.outcome) {
    case BrowserCommand::Outcome::NoPlaceForAddress:
        // The program's command line has no place for the address: nothing is started.
        ShowMessage(nullptr, hyperlink_texts::NoPlaceForAddress,
                    hyperlink_texts::NoPlaceForAddressCaption, MB_OK);
        return;
    case BrowserCommand::Outcome::TooLong:
        return; // not reported, like a start that fails
    case BrowserCommand::Outcome::Composed:
        StartShownNormally(std::move(composed.commandLine));
        return;
    }
}

// Toggles the focus rectangle one pixel around the control on its parent, only inside clip
// when there is one.
void DrawFocusRectClipped(HWND control, HRGN clip) {
    const HWND parent = ::GetParent(control);
    if (!parent) return;
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::InflateRect(&rect, 1, 1);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::ScreenToClient(parent, &corners[0]);
    ::ScreenToClient(parent, &corners[1]);
    rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    const WindowDc dc(parent);
    if (!dc.get()) return;
    if (clip) ::SelectClipRgn(dc.get(), clip);
    ::DrawFocusRect(dc.get(), &rect);
}

// The parent paints over the rectangle around a focused link: once it has painted, the
// rectangle is drawn again where the paint went, so that it stays while the link has the focus.
LRESULT PaintKeepingFocusRect(HWND parent, WNDPROC previous, WPARAM wParam, LPARAM lParam) {
    const HWND focus = ::GetFocus();
    const bool linkFocused =
        focus && ::GetParent(focus) == parent && ::GetPropW(focus, PropertyName);
    const UniqueRegion painted(linkFocused ? ::CreateRectRgn(0, 0, 0, 0) : nullptr);
    const bool anything = painted && ::GetUpdateRgn(parent, painted.get(), FALSE) > NULLREGION;
    const LRESULT result = ::CallWindowProcW(previous, parent, WM_PAINT, wParam, lParam);
    if (anything) DrawFocusRectClipped(focus, painted.get());
    return result;
}

} // namespace

bool CHyperLink::AttachHyperlink(HINSTANCE instance, InterfaceLanguage language, HWND parent,
                                 int controlId, std::wstring_view address) {
    try {
        address_.assign(address);
    } catch (const std::bad_alloc&) {
        return false;
    }
    controlId_ = controlId;
    const HWND control = ::GetDlgItem(parent, controlId);
    if (parent && ProcedureOf(parent) != &ParentProcedure) {
        ::SetPropW(parent, PropertyName, reinterpret_cast<HANDLE>(ProcedureOf(parent)));
        SetProcedure(parent, &ParentProcedure);
    }
    if (!control) {
        tooltip_ = nullptr;
        return true;
    }
    // Clicks reach the link, and so does Tab: a link is there for the keyboard too.
    ::SetWindowLongW(control, GWL_STYLE,
                     ::GetWindowLongW(control, GWL_STYLE) | SS_NOTIFY | WS_TABSTOP);
    savedFont_ = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (!underlineFont_) {
        LOGFONTW font{};
        ::GetObjectW(savedFont_, sizeof(font), &font);
        font.lfUnderline = TRUE;
        underlineFont_.reset(::CreateFontIndirectW(&font));
    }
    if (!cursor_) cursor_ = ::LoadCursorW(nullptr, IDC_HAND);
    if (!cursor_) cursor_ = ::LoadCursorW(nullptr, IDC_ARROW);
    // A second attach to the same control keeps the procedure saved by the first.
    if (ProcedureOf(control) != &ControlProcedure) savedProcedure_ = ProcedureOf(control);
    ::SetPropW(control, PropertyName, this);
    SetProcedure(control, &ControlProcedure);
    tooltip_ = CreateLinkTooltip(instance, control, parent, address_, language);
    return true;
}

void CHyperLink::OpenLink() {
    // Some handlers of addresses need COM on the calling thread.
    ComApartment apartment;
    const auto result = reinterpret_cast<INT_PTR>(
        shell::ShellExecuteW(nullptr, L"open", address_.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) OpenWithWebPageProgram(address_);
    visited_ = true;
}

LRESULT CALLBACK CHyperLink::ParentProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(::GetPropW(window, PropertyName));
    if (message == WM_DESTROY) {
        SetProcedure(window, previous);
        ::RemovePropW(window, PropertyName);
    } else if (message == WM_PAINT) {
        return PaintKeepingFocusRect(window, previous, wParam, lParam);
    } else if (message == WM_CTLCOLORSTATIC) {
        const auto* link = static_cast<const CHyperLink*>(
            ::GetPropW(reinterpret_cast<HWND>(lParam), PropertyName));
        if (link) {
            const LRESULT brush = ::CallWindowProcW(previous, window, message, wParam, lParam);
            ::SetTextColor(reinterpret_cast<HDC>(wParam),
                           link->visited_ ? VisitedColour : UnvisitedColour);
            return brush;
        }
    }
    return ::CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK CHyperLink::ControlProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* link = static_cast<CHyperLink*>(::GetPropW(window, PropertyName));
    if (!link) return ::DefWindowProcW(window, message, wParam, lParam);
    return link->HandleControlMessage(window, message, wParam, lParam);
}

LRESULT CHyperLink::HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY: {
        const WNDPROC saved = savedProcedure_;
        Detach(control);
        return ::CallWindowProcW(saved, control, message, wParam, lParam);
    }
    case WM_SETFOCUS:
        OnLinkEnter();
        DrawLinkFocusRect(control);
        return 0;
    case WM_KILLFOCUS:
        OnLinkLeave();
        DrawLinkFocusRect(control);
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(cursor_);
        return 1;
    case WM_GETDLGCODE:
        // Enter opens the link that has the focus instead of pressing the default button.
        return ::CallWindowProcW(savedProcedure_, control, message, wParam, lParam) |
               (IsEnterPressed(reinterpret_cast<const MSG*>(lParam)) ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN:
        // Held down, the key repeats: one page is enough.
        if (wParam != VK_RETURN || (lParam & KeyWasDown)) break;
        OpenLink();
        return 0;
    case WM_KEYUP:
        if (wParam != VK_SPACE) break;
        OpenLink();
        return 0;
    case WM_LBUTTONUP:
        OpenLink();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(control, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureLost(control);
        return 0;
    default:
        break;
    }
    return ::CallWindowProcW(savedProcedure_, control, message, wParam, lParam);
}

void CHyperLink::OnMouseMove(HWND control, LPARAM position) {
    if (!hovering_) {
        hovering_ = true;
        SetFontWithoutRedraw(control, underlineFont_.get());
        ::InvalidateRect(control, nullptr, FALSE);
        OnLinkEnter();
        ::SetCapture(control);
        return;
    }
    // Read unsigned, as the position arrives: a point left of or above the control lies far
    // outside it.
    RECT client{};
    ::GetClientRect(control, &client);
    const POINT point{LOWORD(position), HIWORD(position)};
    if (!::PtInRect(&client, point)) ::ReleaseCapture();
}

void CHyperLink::OnCaptureLost(HWND control) {
    hovering_ = false;
    OnLinkLeave();
    SetFontWithoutRedraw(control, savedFont_);
    ::InvalidateRect(control, nullptr, FALSE);
}

void CHyperLink::Detach(HWND control) {
    SetProcedure(control, savedProcedure_);
    SetFontWithoutRedraw(control, savedFont_);
    cursor_ = nullptr;
    underlineFont_.reset();
    ::RemovePropW(control, PropertyName);
}

HWND CreateLinkTooltip(HINSTANCE instance, HWND control, HWND parent, std::wstring_view address,
                       InterfaceLanguage language) {
    if (!parent || address.empty()) return nullptr;
    std::wstring text = LinkTooltipText(address, language);
    const HWND tooltip = ::CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
    if (!tooltip) return nullptr;
    TOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text.data(); // the tooltip keeps its own copy
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return tooltip;
}

void DrawLinkFocusRect(HWND control) {
    DrawFocusRectClipped(control, nullptr);
}

} // namespace qv
