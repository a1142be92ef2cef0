// A web server on 127.0.0.1 for tests of the update check: tests/support/web_server.py, which
// the Wine runner starts beside the test program, serves it on a port of its own; it is steered
// and read through files in a folder of the test run.
#pragma once

#include "tests/support/test_support_win.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// What the server answers for one path.
struct WebAnswer {
    std::string path;
    int status = 200;
    std::string body;
    bool held = false;    // answered only once the test lets held answers go
    std::string location; // a Location header; "{port}" in it becomes the server's port
};

class LoopbackWebServer {
  public:
    // Starts the server and waits until it listens; Running() tells whether it does.
    explicit LoopbackWebServer(const std::vector<WebAnswer>& answers);
    ~LoopbackWebServer();
    LoopbackWebServer(const LoopbackWebServer&) = delete;
    LoopbackWebServer& operator=(const LoopbackWebServer&) = delete;

    bool Running() const { return !port_.empty(); }
    // "http://127.0.0.1:<port>" followed by the path.
    std::wstring Address(std::string_view path) const;
    // The paths asked for so far, in the order they arrived.
    std::vector<std::string> Requests() const;
    [[nodiscard]] bool WaitForRequests(std::size_t count) const;
    // Lets every held answer go.
    [[nodiscard]] bool ReleaseHeldAnswers() const;

  private:
    TempFolder folder_;
    std::string port_;
};

} // namespace qv::test
