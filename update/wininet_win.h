// WinINet, loaded by the update check when it first asks a site: a start of the launcher does
// not pay for loading it, and a launcher whose check is off never loads it. (Loading it also
// sets up its cache in the user's profile folder, which the dialog's start must not do.)
#pragma once

#include <windows.h>
#include <wininet.h>

namespace qv {

struct WinInet {
    decltype(&::InternetOpenW) InternetOpenW;
    decltype(&::InternetOpenUrlW) InternetOpenUrlW;
    decltype(&::InternetReadFile) InternetReadFile;
    decltype(&::HttpQueryInfoW) HttpQueryInfoW;
    decltype(&::InternetCloseHandle) InternetCloseHandle;
};

// The functions, loaded once for the rest of the process; nullptr when the library or one of
// its functions is missing.
const WinInet* LoadWinInet();

} // namespace qv
