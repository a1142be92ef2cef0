// Stand-in for programs the launcher starts and forgets (MATLAB's matlab.exe, the web
// browser browser.exe): records what it received and ends successfully,
// at once unless told to stay.
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qv::fake::Record().Write();
    ::Sleep(qv::fake::ReadMilliseconds(qv::fake::RecorderLifetimeVariable, 0));
    return 0;
}
