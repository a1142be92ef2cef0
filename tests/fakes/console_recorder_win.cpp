// Stand-in for a console program the launcher starts hidden and forgets (Visual Studio's
// VsRegEdit.exe): records what it received and whether it got a console window, and ends, at once
// unless told to stay.
#include "tests/fakes/fake_common_win.h"
#include "tests/fakes/fake_record.h"

int wmain() {
    qv::fake::Record record;
    record.Add(qv::fake::key::ConsoleWindow, ::GetConsoleWindow() ? L"present" : L"none");
    record.Write();
    ::Sleep(qv::fake::ReadMilliseconds(qv::fake::RecorderLifetimeVariable, 0));
    return 0;
}
