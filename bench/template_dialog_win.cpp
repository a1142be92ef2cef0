// The launcher's main dialog template shown with nothing behind it: the launcher's start
// without its initialisation (texts, menu, lists, discovery), to tell that part's share.
#include "resources/resource.h"

#include <windows.h>

#include <commctrl.h>

namespace {

INT_PTR CALLBACK TemplateProcedure(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        ::EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    return static_cast<int>(
        ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_LAUNCHER), nullptr, TemplateProcedure, 0));
}
