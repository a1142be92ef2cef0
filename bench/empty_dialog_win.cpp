// The floor the launcher's start is measured against: a program that shows one empty dialog of
// the launcher's size, made from a template in memory, and ends when it is closed. Built once
// more with QV_COMMON_CONTROLS: with the launcher's manifest (common controls 6) and their
// initialisation, to tell their share of the launcher's start; and with QV_DIALOG_FONT as well:
// in the launcher's dialog font, which the test prefixes map to a large font with Chinese glyphs.
#include <windows.h>

#ifdef QV_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {

INT_PTR CALLBACK EmptyDialogProcedure(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        ::EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A DLGTEMPLATE followed by its menu, class and title (no controls), and the font when one is
// set, aligned as the dialog manager reads it.
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    wchar_t title[6] = L"Empty";
#ifdef QV_DIALOG_FONT
    WORD pointSize = 8;
    wchar_t font[13] = L"MS Shell Dlg";
#endif
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef QV_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
#endif
    alignas(4) EmptyTemplate dialog{};
    dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
#ifdef QV_DIALOG_FONT
    dialog.header.style |= DS_SETFONT;
#endif
    dialog.header.cx = 252;
    dialog.header.cy = 188;
    return static_cast<int>(
        ::DialogBoxIndirectParamW(instance, &dialog.header, nullptr, EmptyDialogProcedure, 0));
}
