// The background release check: asks the product's web sites for the release file and, when a
// newer release has been published, shows the update dialog on its own thread. Every failure is
// silent.
#pragma once

#include "update/release.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// Tests name loopback servers here ("http://127.0.0.1:<port>/path;..."); only loopback entries
// are taken, so the variable can point the check at this machine and nowhere else, and a value
// without one (such as "none") makes the check ask nobody.
inline constexpr wchar_t LoopbackSourcesVariable[] = L"QV_TEST_UPDATE_SOURCES";

// The built-in sites, or the loopback servers named by LoopbackSourcesVariable when it is set.
std::vector<std::wstring> UpdateSourcesInForce();

// Shows the update dialog modally on the calling thread.
using ShowUpdateDialogFunction = void (*)(const ReleaseNumber& published, const std::wstring& site,
                                          HWND owner);

struct UpdateCheck {
    std::vector<std::wstring> sources; // asked in this order
    HWND mainWindow = nullptr;         // the owner when no other window of ours is up
    ShowUpdateDialogFunction showUpdateDialog = nullptr;
    // Set once a release file could be read. Shared: the thread is never waited for and may
    // outlive the dialog that started it.
    std::shared_ptr<std::atomic<bool>> releaseFetched = std::make_shared<std::atomic<bool>>(false);
};

// Starts the check on a thread of its own and lets it go; false when no thread could be made.
[[nodiscard]] bool StartUpdateCheck(UpdateCheck check);

// The thread's work: asks the sources in order until one answers, then shows the update dialog
// when the published release is newer than this one. Returns 0.
DWORD UpdateCheckThread(const UpdateCheck& check);

struct FetchedRelease {
    std::wstring text;
    std::wstring site; // the base address that answered; empty when it did not
};

// The release file of one site. Only a 200 answer with a short text body counts as an answer;
// anything else leaves both fields empty so that the next site is asked.
FetchedRelease FetchReleaseText(HINTERNET internet, const std::wstring& base,
                                std::atomic<bool>& releaseFetched);

// The window to own the update dialog: the first visible dialog or button window of this process
// in z order (the About box when it is open), else the main window.
HWND ChooseUpdateOwner(HWND mainWindow);

} // namespace qv
