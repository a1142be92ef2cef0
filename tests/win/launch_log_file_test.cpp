// The launch log as launchers meet it in the field, each run a LogWriter stand-in writing through
// the launcher's own log: two of them across the rotation mark, a log another program holds for
// reading, one a reader keeps from being set aside, and a folder that cannot be written. No run
// loses an entry, and every file a run writes to begins with its start line.
#include "base/launch_log.h"
#include "base/launch_log_win.h"
#include "base/text.h"
#include "tests/support/fake_records_win.h"
#include "tests/support/simulated_install_win.h"
#include "tests/support/test_support_win.h"
#include "tests/win/coupling_support_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {
namespace {

bool Has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

// The index of the first line that holds the part, or -1.
int FirstWith(const std::vector<std::string>& lines, const std::string& part) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (Has(lines[i], part)) return static_cast<int>(i);
    return -1;
}

int CountWith(const std::vector<std::string>& lines, const std::string& part) {
    int count = 0;
    for (const std::string& line : lines)
        count += Has(line, part) ? 1 : 0;
    return count;
}

std::string Utf8(const std::wstring& text) {
    return Utf8FromText(text);
}

// A run's start line, as its first file or a later one has it.
std::string StartOf(const std::wstring& writer) {
    return "log writer " + Utf8(writer) + "; log ";
}

// The log's folder, the temporary folder of the fallback, and the runs that write there.
class LaunchLogFile : public ::testing::Test {
  protected:
    std::wstring Log() const { return local_ / L"Quorvex\\Launcher.log"; }
    std::wstring Old() const { return local_ / L"Quorvex\\Launcher.old.log"; }
    std::wstring Fallback() const { return temp_ / L"Quorvex Launcher.log"; }

    // A LogWriter run; its environment names the test's folders unless the case changes them.
    ProcessHandles StartWriter(const std::wstring& name, int entries, int length,
                               std::vector<std::wstring> environment = {},
                               const std::wstring& more = L"",
                               const std::wstring& folder = L"") const {
        environment.insert(environment.begin(), {L"LOCALAPPDATA=" + local_.Path(),
                                                 L"TEMP=" + temp_.Path(), L"TMP=" + temp_.Path()});
        const std::wstring exe =
            FakeProgramFoldersFromEnvironment().Runnable() + L"\\LogWriter.exe";
        return StartProgram(exe,
                            L"LogWriter.exe " + name + L" " + std::to_wstring(entries) + L" " +
                                std::to_wstring(length) + more,
                            {environment, folder});
    }
    static bool EndedWell(const ProcessHandles& run) {
        DWORD code = 1;
        return run.process && ::WaitForSingleObject(run.process.get(), 120000) == WAIT_OBJECT_0 &&
               ::GetExitCodeProcess(run.process.get(), &code) && code == 0;
    }
    bool Write(const std::wstring& name, int entries, std::vector<std::wstring> environment = {}) {
        return EndedWell(StartWriter(name, entries, 60, std::move(environment)));
    }
    // Lines of filler up to at least the size, as an earlier run left them.
    bool Fill(const std::wstring& path, std::uint64_t size) const {
        std::string text;
        for (int i = 0; text.size() < size; ++i)
            text += "2025-01-01 00:00:00.000+00:00 [1] info    earlier run " + std::to_string(i) +
                    " " + std::string(100, 'e') + "\r\n";
        return MakeFolders(FolderOf(path)) && WriteFileBytes(path, text);
    }
    // Each entry of the writer, once, in order, across the files, with the start line of the run
    // in each file before its first entry there.
    static void ExpectWholeRun(const std::wstring& writer, int entries,
                               const std::vector<std::wstring>& files) {
        int next = 0;
        for (const std::wstring& file : files) {
            const std::vector<std::string> lines = LogFileLines(file);
            const int start = FirstWith(lines, StartOf(writer));
            bool seen = false;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const std::string entry = Utf8(writer) + " entry " + std::to_string(next) + " ";
                if (!Has(lines[i], "] info    " + entry)) continue;
                if (!seen) {
                    EXPECT_LT(start, static_cast<int>(i)) << Utf8(file);
                }
                seen = true;
                ++next;
            }
        }
        EXPECT_EQ(next, entries) << "entries of " << Utf8(writer) << " lost or out of order";
    }

    TempFolder local_, temp_;
};

// Past the mark the log is set aside once, under a lock both take, and the new log begins with
// the start line of the run that set it aside; the other run's start line comes before its own
// first entry there.
TEST_F(LaunchLogFile, TwoLaunchersAppendingAcrossTheMebibyteKeepTheHistoryAndBothStartLines) {
    ASSERT_TRUE(Fill(Log(), LogRotationBytes - 32 * 1024));
    const int entries = 1500;
    ProcessHandles a = StartWriter(L"A", entries, 120);
    ProcessHandles b = StartWriter(L"B", entries, 120);
    ASSERT_TRUE(EndedWell(a) && EndedWell(b));

    const std::vector<std::string> old = LogFileLines(Old());
    const std::vector<std::string> log = LogFileLines(Log());
    EXPECT_GE(ReadFileBytes(Old()).value_or("").size(), LogRotationBytes);
    EXPECT_TRUE(Has(old.at(0), "earlier run 0 ")) << "the history went";
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(Has(log[0], "] info    start")) << log[0];
    for (const wchar_t* writer : {L"A", L"B"}) {
        SCOPED_TRACE(Utf8(writer));
        EXPECT_EQ(CountWith(log, StartOf(writer)), 1);
        ExpectWholeRun(writer, entries, {Old(), Log()});
    }
    EXPECT_EQ(CountWith(log, "] info    end: all entries written; exit code 0"), 2);
    EXPECT_EQ(CountWith(log, "set the full log aside"), 0);
}

// A lock that cannot be made (its name taken by an object of another kind) is said once, with the
// system's error, and costs no entry; once the name is free again, nothing is said.
TEST_F(LaunchLogFile, ALockThatCannotBeMadeIsSaidOnceAndNoEntryIsLost) {
    const std::wstring lockName = LaunchLogLockName(Log());
    {
        const UniqueHandle squatter = CreateNamedEvent(lockName);
        ASSERT_TRUE(squatter);
        ASSERT_TRUE(Write(L"A", 5));
    }
    ASSERT_TRUE(Write(L"B", 5));
    const std::vector<std::string> log = LogFileLines(Log());
    const std::string said = "] warning create the log's lock: " + Utf8(lockName) + ": error ";
    const int told = FirstWith(log, said);
    EXPECT_EQ(CountWith(log, said), 1) << ReadFileBytes(Log()).value_or("");
    EXPECT_LT(told, FirstWith(log, StartOf(L"B")));
    ExpectWholeRun(L"A", 5, {Log()});
    ExpectWholeRun(L"B", 5, {Log()});
}

// Another program that shares the log for reading only keeps it from being written: the run goes
// to the fallback, whose start line says where and why; once the log can be written again it
// says where the entries in between went.
TEST_F(LaunchLogFile, ALogHeldForReadingOnlySendsTheRunToTheFallbackNamedInItsStartLine) {
    ASSERT_TRUE(Fill(Log(), 100));
    const std::optional<std::string> before = ReadFileBytes(Log());
    const std::wstring halfway = L"qv-log-halfway-" + std::to_wstring(::GetCurrentProcessId());
    const std::wstring goOn = L"qv-log-go-on-" + std::to_wstring(::GetCurrentProcessId());
    const UniqueHandle reached = test::CreateNamedEvent(halfway);
    const UniqueHandle resume = test::CreateNamedEvent(goOn);
    ASSERT_TRUE(reached && resume);
    auto holder = std::make_unique<HeldFile>(L"read-only", Log());
    ASSERT_TRUE(holder->Holds());
    ProcessHandles run = StartWriter(L"C", 20, 60, {}, L" " + halfway + L" " + goOn);
    ASSERT_EQ(::WaitForSingleObject(reached.get(), 60000), WAIT_OBJECT_0);
    EXPECT_EQ(ReadFileBytes(Log()), before);
    holder.reset();
    ASSERT_TRUE(::SetEvent(resume.get()));
    ASSERT_TRUE(EndedWell(run));

    const std::vector<std::string> fallback = LogFileLines(Fallback());
    ASSERT_FALSE(fallback.empty());
    EXPECT_TRUE(Has(fallback[0], "] info    start: log writer C; log " + Utf8(Fallback()) +
                                     " (the launch log cannot be written: " + Utf8(Log()) +
                                     ": error 32: "))
        << fallback[0];
    const std::vector<std::string> log = LogFileLines(Log());
    const int note = FirstWith(log, "] warning entries of this run went to " + Utf8(Fallback()) +
                                        " while this log could not be written (the launch log "
                                        "cannot be written: " +
                                        Utf8(Log()) + ": error 32: ");
    EXPECT_TRUE(note >= 0 && Has(log[note], "): 11")) << ReadFileBytes(Log()).value_or("");
    const int continued = FirstWith(log, "start, continued (run began ");
    EXPECT_GT(note, continued) << "no start line first";
    // The fallback's part ends with where the run goes on; the run began when its first line
    // says, and no file's time goes back.
    EXPECT_TRUE(Has(fallback.back(),
                    "] info    the run goes on in " + Utf8(Log()) + ", which can be written again"))
        << fallback.back();
    ASSERT_GE(continued, 0);
    EXPECT_TRUE(Has(log[continued], "(run began " + fallback[0].substr(0, 29) + ")"))
        << log[continued] << "\n"
        << fallback[0];
    for (const std::vector<std::string>* lines : {&fallback, &log})
        EXPECT_TRUE(std::is_sorted(lines->begin(), lines->end(),
                                   [](const std::string& a, const std::string& b) {
                                       return a.compare(0, 23, b, 0, 23) < 0;
                                   }))
            << "a time goes back";
    ExpectWholeRun(L"C", 20, {Fallback(), Log()});
}

// A run that could write only to the fallback is named in the launch log by the next run that
// reaches it, once, with where its entries are and why.
TEST_F(LaunchLogFile, ARunOnlyInTheFallbackIsNamedOnceByTheNextRunInTheLog) {
    ASSERT_TRUE(WriteFileBytes(local_ / L"Quorvex", "a file where the log's folder should be"));
    const ProcessHandles lost = StartWriter(L"G", 3, 60);
    ASSERT_TRUE(EndedWell(lost));
    ASSERT_TRUE(IsFile(Fallback()));
    ASSERT_TRUE(RemoveTree(local_ / L"Quorvex"));
    ASSERT_TRUE(Write(L"H", 2));
    ASSERT_TRUE(Write(L"I", 2));
    const std::vector<std::string> log = LogFileLines(Log());
    const std::string named =
        "] warning an earlier run wrote only to the fallback log, which support needs too: "
        "process " +
        std::to_string(lost.processId) + ", run began ";
    const int told = FirstWith(log, named);
    ASSERT_GE(told, 0) << ReadFileBytes(Log()).value_or("");
    EXPECT_TRUE(Has(log[told], " entries in " + Utf8(Fallback()) +
                                   " (the launch log cannot be written: " + Utf8(Log()) +
                                   ": error 3: "))
        << log[told];
    EXPECT_EQ(told, FirstWith(log, StartOf(L"H")) + 1) << "not told by the next run at its start";
    EXPECT_EQ(CountWith(log, named), 1);
    ExpectWholeRun(L"H", 2, {Log()});
}

// A thread that logs while the process ends (the update check's is never waited for) writes its
// entries whole, to the log, to the end: nothing of the log has gone before it.
TEST_F(LaunchLogFile, AThreadThatLogsWhileTheProcessEndsWritesWholeEntriesToTheLog) {
    TempFolder current;
    for (int run = 0; run < 10; ++run) {
        SCOPED_TRACE(run);
        ASSERT_TRUE(EndedWell(StartWriter(L"F", 50, 60, {}, L" exiting", current.Path())));
    }
    EXPECT_EQ(FolderEntries(current.Path()), std::vector<std::wstring>{});
    EXPECT_FALSE(IsFile(Fallback()));
    const std::vector<std::string> log = LogFileLines(Log());
    EXPECT_EQ(CountWith(log, "] info    end: all entries written; exit code 0"), 10);
    for (const std::string& line : log)
        EXPECT_TRUE(Has(line, "] info    start: log writer F; log " + Utf8(Log())) ||
                    Has(line, "] info    F entry ") || Has(line, "] info    F from a thread ") ||
                    Has(line, "] info    end: all entries written; exit code 0"))
            << line;
}

// A folder that cannot hold the log, or no LOCALAPPDATA at all: the run is in the fallback,
// headed by why. With a folder that works (the control) nothing goes there.
TEST_F(LaunchLogFile, AnUnwritableFolderSendsTheRunToTheFallbackThatSaysWhy) {
    struct Case {
        const char* name;
        std::function<bool()> arrange;
        std::vector<std::wstring> environment;
        std::string why; // "" for the log itself
    };
    const std::wstring missing = local_ / L"missing\\below";
    const std::vector<Case> cases{
        {"a folder that works", [] { return true; }, {}, ""},
        {"a file where the log's folder should be",
         [&] { return WriteFileBytes(local_ / L"Quorvex", "a file"); },
         {},
         "the launch log cannot be written: " + Utf8(Log()) + ": error 3: "},
        {"LOCALAPPDATA naming a folder that is not there",
         [] { return true; },
         {L"LOCALAPPDATA=" + missing},
         "the launch log cannot be written: " + Utf8(missing) + "\\Quorvex\\Launcher.log: error "},
        {"no LOCALAPPDATA",
         [] { return true; },
         {L"LOCALAPPDATA="},
         "LOCALAPPDATA is not set, so there is no launch log"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(RemoveTree(local_ / L"Quorvex") && RemoveTree(Fallback()));
        ASSERT_TRUE(c.arrange());
        ASSERT_TRUE(Write(L"D", 5, c.environment));
        const std::wstring file = c.why.empty() ? Log() : Fallback();
        const std::vector<std::string> lines = LogFileLines(file);
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(Has(lines[0], "] info    start: log writer D; log " + Utf8(file) +
                                      (c.why.empty() ? "" : " (" + c.why)))
            << lines[0];
        ExpectWholeRun(L"D", 5, {file});
        EXPECT_EQ(IsFile(Fallback()), !c.why.empty());
    }
}

// A reader that follows the log, or holds the old log, keeps the full log from being set aside:
// every entry is kept all the same, and the failure is told once, not at every entry.
TEST_F(LaunchLogFile, ALogThatCannotBeSetAsideKeepsEveryEntryAndSaysSoOnce) {
    struct Case {
        const char* name;
        const wchar_t* how; // nullptr: nothing holds it, the control
        bool old;           // the old log is held, else the log
    };
    for (const Case& c : std::vector<Case>{{"nothing held", nullptr, false},
                                           {"the log followed by a reader", L"tail", false},
                                           {"the old log held for reading", L"read-only", true}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(RemoveTree(local_ / L"Quorvex"));
        ASSERT_TRUE(Fill(Log(), LogRotationBytes + 10));
        ASSERT_TRUE(Fill(Old(), 10));
        const std::optional<std::string> old = ReadFileBytes(Old());
        std::optional<HeldFile> holder;
        if (c.how) {
            holder.emplace(c.how, c.old ? Old() : Log());
            ASSERT_TRUE(holder->Holds());
        }
        ASSERT_TRUE(Write(L"E", 200));
        holder.reset();
        if (!c.how) {
            EXPECT_GE(ReadFileBytes(Old()).value_or("").size(), LogRotationBytes);
            ExpectWholeRun(L"E", 200, {Log()});
            continue;
        }
        const std::vector<std::string> log = LogFileLines(Log());
        EXPECT_EQ(ReadFileBytes(Old()), old);
        EXPECT_TRUE(Has(log.at(0), "earlier run 0 "));
        ExpectWholeRun(L"E", 200, {Log()});
        EXPECT_EQ(CountWith(log, "] warning set the full log aside: " + Utf8(Log()) + " -> " +
                                     Utf8(Old()) + ": error "),
                  1);
    }
}

} // namespace
} // namespace qv::test
