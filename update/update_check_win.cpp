#include "update/update_check_win.h"

#include "base/environment_win.h"
#include "base/handles_win.h"
#include "base/launch_log_win.h"
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
// Long enough for a slow site to answer a one-line file, short enough that the mirror is asked
// soon when a site stalls.
constexpr DWORD SiteTimeoutMs = 10000;

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

std::wstring TextFromAnsi(std::string_view bytes) {
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                          length);
    return text;
}

void LogWinInetFailure(std::wstring_view action, std::wstring_view address, DWORD error) {
    Log(LogLevel::Warning,
        FormatText(L"update check: %s: %s: error %d: %s",
                   {address, action, std::to_wstring(error), WinInetErrorText(error)}));
}

// A stalled site must not hold up the next one. WinINet under Wine takes a receive time-out
// only from the request handle, so each request gets its own.
void SetTimeouts(HINTERNET handle) {
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        DWORD milliseconds = SiteTimeoutMs;
        LoadWinInet()->InternetSetOptionW(handle, option, &milliseconds, sizeof(milliseconds));
    }
}

// A request with the connection it belongs to: closing the connection would close the request.
struct SentRequest {
    UniqueInternet connection;
    UniqueInternet request; // closed first
};

// The release file's request, sent; its answer's headers have arrived. Every failure is logged.
std::optional<SentRequest> SendRequest(HINTERNET internet, const std::wstring& address,
                                       bool followRedirects) {
    const WinInet& winInet = *LoadWinInet();
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH] = {};
    wchar_t path[INTERNET_MAX_PATH_LENGTH] = {};
    URL_COMPONENTSW parts{sizeof(parts)};
    parts.lpszHostName = host;
    parts.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = INTERNET_MAX_PATH_LENGTH;
    if (!winInet.InternetCrackUrlW(address.c_str(), 0, 0, &parts)) {
        LogWinInetFailure(L"read the address", address, ::GetLastError());
        return std::nullopt;
    }
    UniqueInternet connection(winInet.InternetConnectW(internet, host, parts.nPort, nullptr,
                                                       nullptr, INTERNET_SERVICE_HTTP, 0, 1));
    if (!connection) {
        LogWinInetFailure(L"connect", address, ::GetLastError());
        return std::nullopt;
    }
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    if (!followRedirects) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    UniqueInternet request(winInet.HttpOpenRequestW(connection.get(), L"GET", path, nullptr,
                                                    nullptr, nullptr, flags, 1));
    if (!request) {
        LogWinInetFailure(L"open the request", address, ::GetLastError());
        return std::nullopt;
    }
    SetTimeouts(request.get());
    if (!winInet.HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) {
        LogWinInetFailure(L"send the request", address, ::GetLastError());
        return std::nullopt;
    }
    return SentRequest{std::move(connection), std::move(request)};
}

DWORD WINAPI RunUpdateCheck(void* parameter) {
    const std::unique_ptr<UpdateCheck> check(static_cast<UpdateCheck*>(parameter));
    return UpdateCheckThread(*check);
}

} // namespace

std::vector<std::wstring> UpdateSourcesInForce() {
    return UpdateSourcesFor(FindEnvironmentVariable(LoopbackSourcesVariable));
}

FetchedRelease FetchReleaseText(HINTERNET internet, const std::wstring& base,
                                std::atomic<bool>& releaseFetched) {
    const std::wstring address = ReleaseFileAddress(base);
    Log(L"update check: asking " + address);
    // A test's server on this machine must not send the check to another host.
    const std::optional<SentRequest> sent = SendRequest(internet, address, !IsLoopbackSource(base));
    if (!sent) return {};
    // An error page is not the release file, whatever its body says, and the site that sent it
    // has not answered: the next one is asked. A test server's redirect is not followed, so it
    // ends here too.
    const DWORD status = HttpStatus(sent->request.get());
    Log(FormatText(L"update check: %s: HTTP status %d", {address, std::to_wstring(status)}));
    if (status != HTTP_STATUS_OK) return {};
    const std::string body = ReadBoundedBody(sent->request.get());
    releaseFetched.store(true);
    if (!IsReleaseFileBody(body)) {
        Log(FormatText(L"update check: %s: no release file in an answer of %d bytes",
                       {address, std::to_wstring(body.size())}));
        return {};
    }
    const std::wstring text = TextFromAnsi(WithoutByteOrderMark(body));
    Log(FormatText(L"update check: %s: release read: %s", {address, Trim(text)}));
    return {text, base};
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
        if (!internet) {
            LogFailure(L"update check: open WinINet", ApplicationName, ::GetLastError(),
                       LogLevel::Warning);
            return 0;
        }
        SetTimeouts(internet.get());
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
