#include "app/launcher_app_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qv::CLauncherApp app;
    app.InitInstance();
    return app.ExitCode();
}
