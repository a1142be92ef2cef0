// A library that does nothing, laid beside a program by the test of where that program looks for
// libraries: whether a load by its bare name finds it shows whether the program's folder is
// searched.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
