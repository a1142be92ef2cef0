#include "tests/support/web_server_win.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

std::wstring WorkFolder() {
    const std::wstring work = PathFromEnvironment("QV_WINE_WORK");
    if (work.empty()) ADD_FAILURE() << "QV_WINE_WORK (the Wine run's Unix folder) is not set";
    return work;
}

// The Unix form of a path on Wine's Z: drive.
std::string UnixPathFromWindows(std::wstring_view path) {
    std::string unixPath;
    for (wchar_t c : path.substr(2))
        unixPath += c == L'\\' ? '/' : static_cast<char>(c);
    return unixPath;
}

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

} // namespace

LoopbackWebServer::LoopbackWebServer(const std::vector<WebAnswer>& answers)
    : folder_(WorkFolder()) {
    std::string routes;
    for (const WebAnswer& answer : answers)
        routes += answer.path + "\t" + std::to_string(answer.status) + "\t" +
                  (answer.held ? "held" : "free") + "\t" + Hex(answer.body) + "\t" +
                  answer.location + "\n";
    if (!WriteFileBytes(folder_ / L"routes", routes)) {
        ADD_FAILURE() << "cannot write the server's routes";
        return;
    }
    // The Wine runner's host starts the server: this Windows process starts no Unix program.
    const std::wstring spool = PathFromEnvironment("QV_WEB_SERVERS");
    if (spool.empty()) {
        ADD_FAILURE() << "QV_WEB_SERVERS (the Wine runner's web-server host) is not set";
        return;
    }
    const std::wstring name = folder_.Path().substr(folder_.Path().find_last_of(L'\\') + 1);
    const std::wstring request = spool + L"\\" + name + L".request";
    // Put in place whole, so that the host never reads half a folder name.
    if (!WriteFileBytes(request + L".part", UnixPathFromWindows(folder_.Path())) ||
        !::MoveFileW((request + L".part").c_str(), request.c_str())) {
        ADD_FAILURE() << "cannot ask the web-server host in " << spool << " for a server";
        return;
    }
    if (!WaitUntil([this] { return IsFile(folder_ / L"port") || IsFile(folder_ / L"failed"); }) ||
        !IsFile(folder_ / L"port")) {
        ADD_FAILURE() << "the web server did not start: "
                      << ReadFileBytes(folder_ / L"failed").value_or("no answer from the host");
        return;
    }
    port_ = ReadFileBytes(folder_ / L"port").value_or("");
}

LoopbackWebServer::~LoopbackWebServer() {
    if (!WriteFileBytes(folder_ / L"stop", "")) ADD_FAILURE() << "cannot stop the web server";
    if (Running() && !WaitUntil([this] { return IsFile(folder_ / L"stopped"); }))
        ADD_FAILURE() << "the web server did not stop";
}

std::wstring LoopbackWebServer::Address(std::string_view path) const {
    std::wstring address = L"http://127.0.0.1:";
    for (char c : port_ + std::string(path))
        address += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return address;
}

std::vector<std::string> LoopbackWebServer::Requests() const {
    return Lines(ReadFileBytes(folder_ / L"requests").value_or(""));
}

bool LoopbackWebServer::WaitForRequests(std::size_t count) const {
    return WaitUntil([&] { return Requests().size() >= count; });
}

bool LoopbackWebServer::ReleaseHeldAnswers() const {
    return WriteFileBytes(folder_ / L"release", "");
}

} // namespace qv::test
