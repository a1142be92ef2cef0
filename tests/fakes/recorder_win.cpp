// Stand-in for programs the launcher starts and forgets (MATLAB's matlab.exe, Visual Studio's
// VsRegEdit.exe, the web browser browser.exe): records what it received and ends successfully.
#include "tests/fakes/fake_common_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qv::fake::Record().Write();
    return 0;
}
