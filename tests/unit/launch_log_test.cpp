#include "base/launch_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

const LogTime Time{2026, 1, 2, 3, 4, 5, 6, 8 * 60};

TEST(LaunchLog, EntryCarriesItsTimeWithTheOffsetFromUtcItsProcessAndItsLevel) {
    EXPECT_EQ(FormatLogEntry(Time, 4312, LogLevel::Info, L"start"),
              "2026-01-02 03:04:05.006+08:00 [4312] info    start\r\n");
    EXPECT_EQ(FormatLogEntry(Time, 7, LogLevel::Warning, L"w"),
              "2026-01-02 03:04:05.006+08:00 [7] warning w\r\n");
    EXPECT_EQ(FormatLogEntry(Time, 4294967295u, LogLevel::Error, L"e"),
              "2026-01-02 03:04:05.006+08:00 [4294967295] error   e\r\n");
}

TEST(LaunchLog, OffsetsEastWestAndOfPartHoursReadAsIso8601Writes) {
    struct Case {
        int minutes;
        const char* written;
    };
    for (const Case& c : std::vector<Case>{{0, "+00:00"},
                                           {-5 * 60, "-05:00"},
                                           {5 * 60 + 45, "+05:45"},
                                           {-30, "-00:30"},
                                           {-(9 * 60 + 30), "-09:30"},
                                           {14 * 60, "+14:00"}}) {
        LogTime time = Time;
        time.utcOffsetMinutes = c.minutes;
        EXPECT_EQ(FormatLogTime(time), std::string("2026-01-02 03:04:05.006") + c.written)
            << c.minutes;
    }
}

// Every line of the file names its time, run and level, so that filtering by the process id
// keeps a message's every line, and no text can pass for an entry of its own.
TEST(LaunchLog, LineBreaksStartMarkedLinesOfTheSameEntryAndControlsBecomeVisible) {
    const std::string prefix = "2026-01-02 03:04:05.006+08:00 [9] error   ";
    struct Case {
        const wchar_t* text;
        std::string logged;
    };
    for (const Case& c : std::vector<Case>{
             {L"a\nb", "a\r\n" + prefix + "| b"},
             {L"a\r\nb", "a\r\n" + prefix + "| b"},
             {L"a\rb\n", "a\r\n" + prefix + "| b\r\n" + prefix + "| "},
             {L"a\u2028b\u0085c", "a\r\n" + prefix + "| b\r\n" + prefix + "| c"},
             {L"tab\there", "tab\there"},
             {L"bell\a esc\x1B del\x7F", "bell\xEF\xBF\xBD esc\xEF\xBF\xBD del\xEF\xBF\xBD"},
             {L"x\r\n2026-01-01 00:00:00.000+00:00 [1] info    forged",
              "x\r\n" + prefix + "| 2026-01-01 00:00:00.000+00:00 [1] info    forged"}}) {
        EXPECT_EQ(FormatLogEntry(Time, 9, LogLevel::Error, c.text), prefix + c.logged + "\r\n")
            << c.logged;
    }
}

TEST(LaunchLog, TextIsUtf8AndALoneSurrogateIsReplaced) {
    EXPECT_EQ(Utf8FromText(L"\u9519\u8BEF"), "\xE9\x94\x99\xE8\xAF\xAF"); // 错误
    EXPECT_EQ(Utf8FromText(L"\u00E9"), "\xC3\xA9");
    if constexpr (sizeof(wchar_t) == 2) {
        const wchar_t pair[] = {0xD83D, 0xDE00, 0};
        EXPECT_EQ(Utf8FromText(pair), "\xF0\x9F\x98\x80");
        const wchar_t lone[] = {L'a', 0xD83D, L'b', 0};
        EXPECT_EQ(Utf8FromText(lone), "a\xEF\xBF\xBD"
                                      "b");
    } else {
        EXPECT_EQ(Utf8FromText(std::wstring(1, static_cast<wchar_t>(0x1F600))), "\xF0\x9F\x98\x80");
    }
}

// The same key and caption word whatever the language the message was shown in.
TEST(LaunchLog, AShownMessageReadsByItsKeyAndEnglishCaptionWithItsTextAsShown) {
    EXPECT_EQ(ShownMessageLogText("fluent-start-failed", L"Error", L"无法启动Fluent"),
              L"message fluent-start-failed (Error): 无法启动Fluent");
}

TEST(LaunchLog, AFailureNamesItsPathItsNumberAndTheSystemsText) {
    EXPECT_EQ(FailureLogText(L"back up .fluent", L"C:\\u\\.fluent -> C:\\u\\b", 32,
                             L"The process cannot access the file."),
              L"back up .fluent: C:\\u\\.fluent -> C:\\u\\b: error 32: The process cannot access "
              L"the file.");
    EXPECT_EQ(FailureLogText(L"start", L"x.exe", 12345, L""),
              L"start: x.exe: error 12345: (the system has no text for it)");
}

TEST(LaunchLog, TheSystemsTextHasItsFirstInsertFilledAndNoPlaceholderLeft) {
    const struct {
        const wchar_t* text;
        const wchar_t* filled;
    } cases[] = {
        {L"Bad EXE format for %1.", L"Bad EXE format for C:\\F\\fluent.exe."},
        {L"%1 is not a valid Win32 application.",
         L"C:\\F\\fluent.exe is not a valid Win32 application."},
        {L"The file %1!s! is in use by %2.", L"The file C:\\F\\fluent.exe is in use by ."},
        {L"%10 and %0 and 100% and %", L" and %0 and 100% and %"},
        {L"Access is denied.", L"Access is denied."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilledSystemText(c.text, L"C:\\F\\fluent.exe"), c.filled) << c.text;
}

TEST(LaunchLog, ARunOnlyInTheFallbackIsNamedByItsProcessBeginningCountPlaceAndWhy) {
    const LogTime began{2025, 11, 3, 9, 41, 12, 21, 480};
    EXPECT_EQ(RunOnlyInFallbackText(4312, began, 17, L"C:\\T\\Quorvex Launcher.log",
                                    L"the launch log cannot be written: C:\\L: error 32: In use."),
              L"process 4312, run began 2025-11-03 09:41:12.021+08:00: 17 entries in "
              L"C:\\T\\Quorvex Launcher.log (the launch log cannot be written: C:\\L: error 32: "
              L"In use.)");
    EXPECT_NE(RunOnlyInFallbackText(1, began, 1, L"F", L"w").find(L": 1 entry in F (w)"),
              std::wstring::npos);
}

TEST(LaunchLog, StartLineNamesItsFileWhyItIsThereAndWhenTheRunBegan) {
    EXPECT_EQ(StartLogText(L"Quorvex launcher 2025-R2", L"C:\\L\\Launcher.log", L"", nullptr),
              L"start: Quorvex launcher 2025-R2; log C:\\L\\Launcher.log");
    EXPECT_EQ(
        StartLogText(L"run", L"C:\\T\\Quorvex Launcher.log", L"why", &Time),
        L"start, continued (run began 2026-01-02 03:04:05.006+08:00): run; log C:\\T\\Quorvex "
        L"Launcher.log (why)");
}

} // namespace
} // namespace qv
