// The update check against a real web server on 127.0.0.1, run by the check's own thread
// routine on a thread of the test, with the real update dialog.
#include "resources/resource.h"
#include "tests/support/dialog_inspection_win.h"
#include "tests/support/test_support_win.h"
#include "tests/support/web_server_win.h"
#include "ui/update_dlg_win.h"
#include "base/launch_log_win.h"
#include "update/update_check_win.h"
#include "update/update_sources.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qv {
namespace {

HWND FindUpdateDialog() {
    for (HWND window : test::TopLevelWindowsOf(::GetCurrentProcessId()))
        if (test::ClassNameOf(window) == L"#32770" && ::GetDlgItem(window, IDC_DOWNLOAD_LINK))
            return window;
    return nullptr;
}

// What one check did: the update dialog it showed (read, then closed with Esc) and whether it
// read a release file.
struct CheckOutcome {
    bool ended = false;
    bool dialogShown = false;
    std::wstring message;
    std::wstring linkTooltip;
    bool releaseFetched = false;
};

// The check ends within `deadline` or fails the test; `beforeJoin` frees what may still hold the
// thread (a server's held answers) so that the test itself never hangs.
CheckOutcome RunCheck(const std::vector<std::wstring>& sources,
                      std::chrono::milliseconds deadline = std::chrono::seconds(20),
                      const std::function<void()>& beforeJoin = {}) {
    UpdateCheck check;
    check.sources = sources;
    check.showUpdateDialog = &ShowUpdateDialog;
    std::atomic<bool> ended{false};
    std::thread thread([&] {
        UpdateCheckThread(check);
        ended = true;
    });
    CheckOutcome outcome;
    HWND dialog = nullptr;
    test::WaitUntil([&] { return ended || (dialog = FindUpdateDialog()) != nullptr; }, deadline);
    if (dialog) {
        outcome.dialogShown = true;
        outcome.message = test::TextOf(::GetDlgItem(dialog, IDC_RELEASE_MESSAGE));
        outcome.linkTooltip = test::TooltipTextOf(dialog, IDC_DOWNLOAD_LINK);
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    outcome.ended = test::WaitUntil([&] { return ended.load(); });
    if (beforeJoin) beforeJoin();
    // A check that ran late may show its dialog only now: closed, so that the thread ends.
    if (!outcome.ended)
        test::WaitUntil([&] {
            if (HWND late = FindUpdateDialog()) ::PostMessageW(late, WM_COMMAND, IDCANCEL, 0);
            return ended.load();
        });
    thread.join();
    outcome.releaseFetched = check.releaseFetched->load();
    return outcome;
}

TEST(UpdateCheck, AsksTheSitesInOrderUntilOneAnswersWithAReleaseFile) {
    // Each case has its own paths on one server: /<case>/product, /<case>/china, /<case>/mirror.
    struct Case {
        const char* name;
        std::vector<test::WebAnswer> answers; // paths below the case's folder
        std::vector<std::string> asked;       // sites, in order
        const wchar_t* message;               // of the update dialog; nullptr when none shows
        const char* answeringSite;
        bool releaseFetched;
    };
    const std::vector<Case> cases = {
        {"empty-product-answer",
         {{"product", 200, ""}, {"mirror", 200, "2025-R3"}},
         {"product", "china", "mirror"},
         L"New version found:\n===============\n2025R3\n===============",
         "mirror",
         true},
        {"product-answers",
         {{"product", 200, "2025-R3\r\n"}, {"china", 200, "2026-R1"}, {"mirror", 200, "2026-R1"}},
         {"product"},
         L"New version found:\n===============\n2025R3\n===============",
         "product",
         true},
        // An error page is no answer, whatever it says: the next site is asked.
        {"product-error-page",
         {{"product", 404, "2026-R1 is not here"}, {"china", 200, "2025-R2"}},
         {"product", "china"},
         nullptr,
         nullptr,
         true},
        {"no-release-file",
         {{"product", 404, "2026-R1"}, {"china", 500, "2026-R1"}},
         {"product", "china", "mirror"},
         nullptr,
         nullptr,
         false},
        {"product-answer-too-long",
         {{"product", 200, "2026-R1" + std::string(5000, ' ')}, {"china", 200, "2025-R2-SP1"}},
         {"product", "china"},
         L"New version found:\n===============\n2025R2 SP1\n===============",
         "china",
         true},
        {"product-answer-binary",
         {{"product", 200, std::string("2026-R1\0\x7f\x01", 10)}, {"china", 200, "2024-R3"}},
         {"product", "china"},
         nullptr,
         nullptr,
         true},
        {"release-without-dash",
         {{"product", 200, "2026"}, {"mirror", 200, "2026-R1"}},
         {"product"},
         nullptr,
         nullptr,
         true},
    };
    std::vector<test::WebAnswer> answers;
    for (const Case& c : cases)
        for (test::WebAnswer answer : c.answers) {
            answer.path = "/" + std::string(c.name) + "/" + answer.path + "/download/version.txt";
            answers.push_back(answer);
        }
    test::LoopbackWebServer server(answers);
    ASSERT_TRUE(server.Running());

    std::size_t requestsBefore = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = "/" + std::string(c.name) + "/";
        const CheckOutcome outcome =
            RunCheck({server.Address(folder + "product"), server.Address(folder + "china"),
                      server.Address(folder + "mirror")});
        ASSERT_TRUE(outcome.ended);
        std::vector<std::string> expected;
        for (const std::string& site : c.asked)
            expected.push_back(folder + site + "/download/version.txt");
        const std::vector<std::string> requests = server.Requests();
        EXPECT_EQ(std::vector<std::string>(requests.begin() + requestsBefore, requests.end()),
                  expected);
        requestsBefore = requests.size();
        EXPECT_EQ(outcome.dialogShown, c.message != nullptr);
        if (c.message) {
            EXPECT_EQ(outcome.message, c.message);
            const std::wstring site = server.Address(folder + c.answeringSite);
            EXPECT_EQ(outcome.linkTooltip, L"Visit " + site + L"/download_en.html");
        }
        EXPECT_EQ(outcome.releaseFetched, c.releaseFetched);
    }
}

// The launch log of the test, in a local application data folder of its own.
class ScopedLaunchLog {
  public:
    ScopedLaunchLog() : variable_(L"LOCALAPPDATA") {
        if (!variable_.Set(folder_.Path())) ADD_FAILURE() << "cannot set LOCALAPPDATA";
    }
    std::string Text() const { return test::ReadFileBytes(LaunchLogPath()).value_or(""); }
    // Whether each text occurs in the log, each after the one before.
    ::testing::AssertionResult HasInOrder(const std::vector<std::string>& texts) const {
        const std::string log = Text();
        std::size_t at = 0;
        for (const std::string& text : texts) {
            at = log.find(text, at);
            if (at == std::string::npos)
                return ::testing::AssertionFailure() << "no \"" << text << "\" in turn in:\n"
                                                     << log;
            at += text.size();
        }
        return ::testing::AssertionSuccess();
    }

  private:
    test::TempFolder folder_;
    test::ScopedVariable variable_;
};

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end()); // addresses are ASCII
}

TEST(UpdateCheck, ATestServerCannotSendTheCheckToAnotherHost) {
    const std::string release = "/download/version.txt";
    test::WebAnswer redirect{"/redirect" + release, 302, ""};
    redirect.location = "http://localhost:{port}/elsewhere" + release;
    test::LoopbackWebServer server({redirect,
                                    {"/elsewhere" + release, 200, "2026-R1"},
                                    {"/mirror" + release, 200, "2025-R3"}});
    ASSERT_TRUE(server.Running());
    // The place the redirect names answers when asked directly.
    const CheckOutcome direct = RunCheck({server.Address("/elsewhere")});
    EXPECT_EQ(direct.message, L"New version found:\n===============\n2026R1\n===============");

    const ScopedLaunchLog log;
    const CheckOutcome redirected =
        RunCheck({server.Address("/redirect"), server.Address("/mirror")});
    ASSERT_TRUE(redirected.ended);
    EXPECT_EQ(server.Requests(),
              (std::vector<std::string>{"/elsewhere" + release, "/redirect" + release,
                                        "/mirror" + release}));
    EXPECT_EQ(redirected.message, L"New version found:\n===============\n2025R3\n===============");
    EXPECT_TRUE(
        log.HasInOrder({Narrow(server.Address("/redirect")) + release + ": HTTP status 302"}));
}

TEST(UpdateCheck, AStalledSiteGivesWayToTheNextAndEveryStepIsLogged) {
    const std::string release = "/download/version.txt";
    test::WebAnswer stalled{"/stalled" + release, 200, "2026-R1"};
    stalled.held = true; // accepts the request and answers only when the test has ended
    test::LoopbackWebServer server(
        {stalled, {"/product" + release, 404, "2026-R1"}, {"/mirror" + release, 200, "2025-R3\n"}});
    ASSERT_TRUE(server.Running());
    const ScopedLaunchLog log;
    const std::vector<std::wstring> sites = {server.Address("/stalled"), server.Address("/product"),
                                             server.Address("/mirror")};
    // Well past the check's own time-out, well short of for ever.
    const CheckOutcome outcome = RunCheck(sites, std::chrono::seconds(60),
                                          [&] { EXPECT_TRUE(server.ReleaseHeldAnswers()); });
    ASSERT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.message, L"New version found:\n===============\n2025R3\n===============");
    const std::string stalledFile = Narrow(sites[0]) + release;
    const std::string productFile = Narrow(sites[1]) + release;
    const std::string mirrorFile = Narrow(sites[2]) + release;
    EXPECT_TRUE(log.HasInOrder({
        "update check: asking " + stalledFile,
        // Wine's words for the time-out differ from Windows': any WinINet error with its text.
        stalledFile + ": send the request: error 120",
        " ",
        "update check: asking " + productFile,
        productFile + ": HTTP status 404",
        "update check: asking " + mirrorFile,
        mirrorFile + ": HTTP status 200",
        mirrorFile + ": release read: 2025-R3",
    }));
}

TEST(UpdateCheck, ChineseDialogLinksToTheChineseDownloadPageOfTheSiteThatAnswered) {
    test::LoopbackWebServer server({{"/mirror/download/version.txt", 200, "2026-R1-SP2\n"}});
    ASSERT_TRUE(server.Running());
    const test::ScopedLanguage chinese(InterfaceLanguage::Chinese);
    const CheckOutcome outcome = RunCheck({server.Address("/product"), server.Address("/mirror")});
    ASSERT_TRUE(outcome.dialogShown);
    EXPECT_EQ(outcome.message, L"发现如下新版本:\n===============\n2026R1 SP2\n===============");
    EXPECT_EQ(outcome.linkTooltip, L"访问" + server.Address("/mirror") + L"/download_cn.html");
}

TEST(UpdateCheck, OnlyLoopbackSourcesReplaceTheBuiltInSites) {
    test::ScopedVariable sources(LoopbackSourcesVariable);
    ASSERT_TRUE(sources.Set(L"https://www.quorvex.test;http://127.0.0.1:8080/product"));
    EXPECT_EQ(UpdateSourcesInForce(), std::vector<std::wstring>{L"http://127.0.0.1:8080/product"});
    ASSERT_TRUE(sources.Set(L"none"));
    EXPECT_EQ(UpdateSourcesInForce(), std::vector<std::wstring>{});
    // An empty value is no value: the built-in sites.
    ASSERT_TRUE(sources.Set(L""));
    EXPECT_EQ(UpdateSourcesInForce(), BuiltInUpdateSources());
    ASSERT_TRUE(sources.Set(L"none"));
    ASSERT_TRUE(sources.Remove());
    EXPECT_EQ(UpdateSourcesInForce(), BuiltInUpdateSources());
}

BOOL CALLBACK NoteVisibleDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (!::IsWindowVisible(window) || std::wstring_view(className) != L"#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The update dialog, shown from its own thread over the main dialog, leaves the main dialog
// answering (its Cancel ends a wait for Fluent); one the main dialog's own box has disabled
// stays disabled.
TEST(UpdateCheck, TheUpdateDialogLeavesItsOwnerAsItWas) {
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "an owner that answers" : "an owner a box has disabled");
        const UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"main dialog",
                                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                                   nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(owner);
        ::EnableWindow(owner.get(), enabled);
        std::atomic<DWORD> threadId{0};
        std::atomic<bool> ended{false};
        std::thread shown([&] {
            threadId = ::GetCurrentThreadId();
            ShowUpdateDialog(ReleaseNumber{2025, 3, 0}, L"http://127.0.0.1:1", owner.get());
            ended = true;
        });
        HWND dialog = nullptr;
        EXPECT_TRUE(test::WaitUntil([&] {
            ::EnumThreadWindows(threadId.load(), &NoteVisibleDialog,
                                reinterpret_cast<LPARAM>(&dialog));
            return dialog != nullptr;
        }));
        EXPECT_EQ(::IsWindowEnabled(owner.get()) != FALSE, enabled);
        if (dialog) ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        // The dialog's end tells its owner, on this thread, that it may take input again.
        EXPECT_TRUE(test::WaitUntil([&] { return ended.load(); }));
        if (!ended) ::PostThreadMessageW(threadId.load(), WM_QUIT, 0, 0);
        shown.join();
    }
}

} // namespace
} // namespace qv
