// WinINet, loaded by the update check when it first asks a site: a start of the launcher does
// not pay for loading it, and a launcher whose check is off never loads it. (Loading it also
// sets up its cache in the user's profile folder, which the dialog's start must not do.)
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

namespace qv {

struct WinInet {
    HMODULE module; // for its error texts
    decltype(&::InternetOpenW) InternetOpenW;
    decltype(&::InternetCrackUrlW) InternetCrackUrlW;
    decltype(&::InternetConnectW) InternetConnectW;
    decltype(&::HttpOpenRequestW) HttpOpenRequestW;
    decltype(&::InternetSetOptionW) InternetSetOptionW;
    decltype(&::HttpSendRequestW) HttpSendRequestW;
    decltype(&::InternetReadFile) InternetReadFile;
    decltype(&::HttpQueryInfoW) HttpQueryInfoW;
    decltype(&::InternetCloseHandle) InternetCloseHandle;
};

// The functions, loaded once for the rest of the process; nullptr when the library or one of
// its functions is missing.
const WinInet* LoadWinInet();

// The text of a WinINet error (12001 and up, which the system's own table lacks) or of any other
// system error; "" when neither has one.
std::wstring WinInetErrorText(DWORD error);

} // namespace qv
