#include "update/update_check_win.h"

#include "base/environment_win.h"
#include "base/handles_win.h"
#include "base/own_windows_win.h"
#include "base/text.h"
#include "texts/language.h"
#include "update/update_sources.h"
#include "update/wininet_win.h"

#include <optional>
#include <string_view>
#include <utility>

namespace qv {

namespace {

struct InternetTraits {
    using Type = HINTERNET;
    static Type Invalid() { return nullptr; }
    // Only handles of a loaded WinINet exist to be closed.
    static void Close(Type handle) { LoadWinInet()->InternetCloseHandle(handle); }
};
using UniqueInternet = Unique<InternetTraits>;

constexpr DWORD ReadChunkBytes = 1024;

DWORD HttpStatus(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!LoadWinInet()->HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                                       &status, &size, nullptr))
        return 0;
    return status;
}

// The body up to one byte past the longest release file: enough to tell that it is too long
// without reading whatever a server might send.
std::string ReadBoundedBody(HINTERNET request) {
    std::string body;
    char chunk[ReadChunkBytes];
    DWORD read = 0;
    while (body.size() <= MaxReleaseFileBytes &&
           LoadWinInet()->InternetReadFile(request, chunk, sizeof(chunk), &read) && read > 0)
        body.append(chunk, read);
    return body;
}

std::wstring TextFromAnsi(const std::string& bytes) {
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                          length);
    return text;
}

DWORD WINAPI RunUpdateCheck(void* parameter) {
    const std::unique_ptr<UpdateCheck> check(static_cast<UpdateCheck*>(parameter));
    return UpdateCheckThread(*check);
}

} // namespace

std::vector<std::wstring> UpdateSourcesInForce() {
    if (const std::optional<std::wstring> list = FindEnvironmentVariable(LoopbackSourcesVariable))
        return LoopbackUpdateSources(*list);
    return BuiltInUpdateSources();
}

FetchedRelease FetchReleaseText(HINTERNET internet, const std::wstring& base,
                                std::atomic<bool>& releaseFetched) {
    const std::wstring address = ReleaseFileAddress(base);
    const UniqueInternet request(
        LoadWinInet()->InternetOpenUrlW(internet, address.c_str(), nullptr, 0,
                                        INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_ASCII, 1));
    if (!request) return {};
    // An error page is not the release file, whatever its body says, and the site that sent it
    // has not answered: the next one is asked.
    if (HttpStatus(request.get()) != HTTP_STATUS_OK) return {};
    const std::string body = ReadBoundedBody(request.get());
    releaseFetched.store(true);
    if (!IsReleaseFileBody(body)) return {};
    return {TextFromAnsi(body), base};
}

HWND ChooseUpdateOwner(HWND mainWindow) {
    HWND found = FirstVisibleOwnDialog();
    return found ? found : mainWindow;
}

DWORD UpdateCheckThread(const UpdateCheck& check) {
    const WinInet* winInet = check.sources.empty() ? nullptr : LoadWinInet();
    if (!winInet) return 0;
    FetchedRelease fetched;
    {
        const UniqueInternet internet(winInet->InternetOpenW(
            ApplicationName, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        if (!internet) return 0;
        for (const std::wstring& base : check.sources) {
            fetched = FetchReleaseText(internet.get(), base, *check.releaseFetched);
            if (!fetched.site.empty()) break;
        }
    }
    if (fetched.site.empty() || !Contains(fetched.text, L"-")) return 0;
    const ReleaseNumber published = ParseReleaseText(fetched.text);
    if (!IsNewerRelease(published, ParseReleaseText(ProductRelease))) return 0;
    if (check.showUpdateDialog)
        check.showUpdateDialog(published, fetched.site, ChooseUpdateOwner(check.mainWindow));
    return 0;
}

bool StartUpdateCheck(UpdateCheck check) {
    auto owned = std::make_unique<UpdateCheck>(std::move(check));
    const UniqueHandle thread(::CreateThread(nullptr, 0, &RunUpdateCheck, owned.get(), 0, nullptr));
    if (!thread) return false;
    static_cast<void>(owned.release()); // the thread's now; nobody waits for it
    return true;
}

} // namespace qv
