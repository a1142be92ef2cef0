#include "app/launcher_app_win.h"
#include "base/system_library_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a library by name: from here on only the system folder is searched.
    qv::CLauncherApp app(qv::LimitLibrarySearchToSystemFolder());
    app.InitInstance();
    return app.ExitCode();
}
