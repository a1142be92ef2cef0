#include "base/launch_log_win.h"

#include "base/environment_win.h"
#include "base/fallback_runs_win.h"
#include "base/handles_win.h"
#include "base/text.h"

#include <cwchar>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <vector>

namespace qv {

namespace {

// A log that cannot be set aside (a reader holds it) is tried again only this much later, so
// that every entry does not pay for a rename that keeps failing.
constexpr ULONGLONG RotationRetryMs = 60 * 1000;
// Another launcher holds the log's lock only for one write, or a rename and one write.
constexpr DWORD LockWaitMs = 200;

// What the open log is: which file (its index on the volume, which a new file at the same path
// does not share) and how large.
struct OpenFileFacts {
    std::uint64_t index = 0;
    std::uint64_t size = 0;
};

// The index from ntdll: GetFileInformationByHandle would also read the volume's serial number,
// which costs Wine a millisecond at every entry. ntdll is always loaded.
bool ReadFacts(HANDLE file, OpenFileFacts& facts) {
    struct IoStatus {
        union {
            LONG status;
            void* pointer;
        };
        ULONG_PTR information;
    };
    using QueryFunction = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);
    constexpr int FileInternalInformation = 6;
    static const auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
    LARGE_INTEGER size{}, index{};
    IoStatus status{};
    if (!::GetFileSizeEx(file, &size)) return false;
    facts.size = static_cast<std::uint64_t>(size.QuadPart);
    if (query && query(file, &status, &index, sizeof(index), FileInternalInformation) >= 0) {
        facts.index = static_cast<std::uint64_t>(index.QuadPart);
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return false;
    facts.index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    return true;
}

// One file this run writes to, as this process knows it.
struct LogFile {
    std::wstring path;
    bool written = false;          // whether this run has written to the file at the path
    std::uint64_t lastWritten = 0; // the index of the file it wrote to last: another one
                                   // needs the start line
    ULONGLONG nextRotationTry = 0;
    UniqueHandle lock; // the named mutex of the path, made at the first entry
    bool lockFailureTold = false;

    // Another path (the variable that names it changed) is another file altogether.
    void Name(std::wstring next) {
        if (next == path) return;
        path = std::move(next);
        written = false;
        nextRotationTry = 0;
        lock.reset();
        lockFailureTold = false;
    }
};

struct Writer {
    std::mutex lock; // the update check logs from its own thread
    std::wstring run;
    LogTime runBegan;
    bool startWritten = false; // a start line of this run is in some file
    LogFile main, fallback;
    std::size_t entriesInFallback = 0; // since the launch log was last written
    std::wstring fallbackWhy;          // why they went there
    std::wstring fallbackRecord;       // where a later run can learn of them
    bool fallbackRunsReported = false; // earlier runs that wrote only to the fallback
    DWORD runThread = 0;               // the dialog's: its messages are the run's
    std::string lastMessageKey;        // of the run's own thread
    std::string failureKey;            // the last error message the run showed
    std::wstring ending;               // as noted where the main window is ended
};

// Never destroyed: the update check's thread, which nobody waits for, may still log while the
// process ends and its static objects go.
Writer& TheWriter() {
    static Writer* const writer = new Writer;
    return *writer;
}

LogTime Now() {
    FILETIME utc{}, local{};
    ::GetSystemTimeAsFileTime(&utc);
    if (!::FileTimeToLocalFileTime(&utc, &local)) local = utc;
    SYSTEMTIME t{};
    ::FileTimeToSystemTime(&local, &t);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((std::uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime);
    };
    constexpr long long TicksPerMinute = 60LL * 10'000'000;
    const long long difference = ticks(local) - ticks(utc);
    // Rounded to the minute: the two readings are of one instant.
    const long long minutes =
        (difference + (difference < 0 ? -TicksPerMinute / 2 : TicksPerMinute / 2)) / TicksPerMinute;
    return {t.wYear,   t.wMonth,  t.wDay,          t.wHour,
            t.wMinute, t.wSecond, t.wMilliseconds, static_cast<int>(minutes)};
}

std::uint32_t ProcessId() {
    return static_cast<std::uint32_t>(::GetCurrentProcessId());
}

// Shared for everything: readers, other launchers appending, and the rename that sets it aside.
UniqueFile OpenForAppending(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

UniqueFile OpenMakingFolder(const std::wstring& path) {
    UniqueFile file = OpenForAppending(path);
    if (file || ::GetLastError() != ERROR_PATH_NOT_FOUND) return file;
    ::CreateDirectoryW(ParentFolder(path).c_str(), nullptr);
    return OpenForAppending(path);
}

} // namespace

// One lock per log file, for every launcher of the session that writes to it.
std::wstring LaunchLogLockName(const std::wstring& path) {
    std::uint32_t hash = 2166136261u; // FNV-1a of the path, case folded
    for (wchar_t c : ToLower(path))
        hash = (hash ^ static_cast<std::uint32_t>(c)) * 16777619u;
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\QuorvexLauncherLog-%08X", hash);
    return name;
}

namespace {

class MutexHold {
  public:
    MutexHold() = default;
    ~MutexHold() {
        if (mutex_) ::ReleaseMutex(mutex_);
    }
    MutexHold(const MutexHold&) = delete;
    MutexHold& operator=(const MutexHold&) = delete;
    // Held once the wait has it, also from a launcher that ended while holding it.
    bool Take(HANDLE mutex, DWORD milliseconds) {
        const DWORD waited = ::WaitForSingleObject(mutex, milliseconds);
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
        mutex_ = mutex;
        return true;
    }

  private:
    HANDLE mutex_ = nullptr;
};

// An entry before it is written: it is stamped under the file's lock, so that the time never goes
// back in a file that several launchers append to.
struct Line {
    LogLevel level;
    std::wstring text;
};
using Lines = std::vector<Line>;

std::string Entry(const LogTime& at, LogLevel level, std::wstring_view text) {
    return FormatLogEntry(at, ProcessId(), level, text);
}

std::string Entries(const LogTime& at, const Lines& lines) {
    std::string bytes;
    for (const Line& line : lines)
        bytes += Entry(at, line.level, line.text);
    return bytes;
}

std::wstring SystemTextAbout(DWORD error, std::wstring_view path) {
    return FilledSystemText(SystemErrorText(error), path);
}

// Sets the full log aside as the old log and gives the new log to append to; when it cannot be
// set aside (a reader holds it, or the old one), the full log, with a note of why.
UniqueFile Rotate(LogFile& file, UniqueFile full, OpenFileFacts& facts, const LogTime& at,
                  std::string& notes) {
    full.reset();
    const std::wstring old = OldLogPath(file.path);
    if (!::MoveFileExW(file.path.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = ::GetLastError();
        file.nextRotationTry = ::GetTickCount64() + RotationRetryMs;
        notes += Entry(at, LogLevel::Warning,
                       FailureLogText(L"set the full log aside", file.path + L" -> " + old, error,
                                      SystemTextAbout(error, file.path)) +
                           L"; the log goes on growing, and is set aside at a later entry");
    }
    UniqueFile next = OpenForAppending(file.path);
    if (next && !ReadFacts(next.get(), facts)) next.reset();
    return next;
}

// Appends the body to the file, headed by the run's start line when this run has not yet
// written to this very file. Gives 0, or the system's error when the file cannot be written.
DWORD AppendTo(Writer& w, LogFile& file, Lines body, std::wstring_view why) {
    // Every launcher appends and sets the log aside under one lock, so that no append lands in
    // another's (Wine does not keep appends of several processes apart) and no launcher sets
    // aside a log another has just begun. One that holds it for long is stuck: then this one
    // appends all the same, and leaves the setting aside to a later entry.
    bool lockNote = false;
    if (!file.lock) {
        const std::wstring name = LaunchLogLockName(file.path);
        file.lock.reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
        // Said once per file: every later entry would only repeat it.
        if (!file.lock && !file.lockFailureTold) {
            const DWORD error = ::GetLastError();
            body.insert(body.begin(), {LogLevel::Warning,
                                       FailureLogText(L"create the log's lock", name, error,
                                                      SystemTextAbout(error, name)) +
                                           L"; entries are appended without it, and the log is "
                                           L"not set aside"});
            lockNote = true;
        }
    }
    MutexHold hold;
    const bool locked = file.lock && hold.Take(file.lock.get(), LockWaitMs);
    const LogTime at = Now();
    UniqueFile handle = OpenMakingFolder(file.path);
    OpenFileFacts facts;
    if (!handle || !ReadFacts(handle.get(), facts)) return ::GetLastError();
    std::string bytes;
    if (facts.size >= LogRotationBytes && ::GetTickCount64() >= file.nextRotationTry) {
        if (!locked) {
            file.nextRotationTry = ::GetTickCount64() + RotationRetryMs;
        } else {
            handle = Rotate(file, std::move(handle), facts, at, bytes);
            if (!handle) return ::GetLastError();
        }
    }
    const bool headed = !w.run.empty() && (!file.written || facts.index != file.lastWritten);
    // The run began when its first start line says.
    if (headed && !w.startWritten) w.runBegan = at;
    if (headed) {
        bytes.insert(
            0, Entry(at, LogLevel::Info,
                     StartLogText(w.run, file.path, why, w.startWritten ? &w.runBegan : nullptr)));
    }
    bytes += Entries(at, body);
    DWORD written = 0;
    // One write, so that a reader never sees half an entry.
    if (!::WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr))
        return ::GetLastError();
    if (written != bytes.size()) return ERROR_WRITE_FAULT;
    if (headed) w.startWritten = true;
    if (lockNote) file.lockFailureTold = true;
    file.written = true;
    file.lastWritten = facts.index;
    return 0;
}

// Names, in the launch log, the runs that wrote only to the fallback; once per process, at its
// first entry there.
void ReportRunsOnlyInFallback(Writer& w) {
    if (w.fallbackRunsReported) return;
    w.fallbackRunsReported = true;
    Lines notes;
    for (const std::wstring& run : ClaimRunsOnlyInFallback(FallbackLogPath()))
        notes.push_back({LogLevel::Warning,
                         L"an earlier run wrote only to the fallback log, which support needs "
                         L"too: " +
                             run});
    if (!notes.empty()) static_cast<void>(AppendTo(w, w.main, std::move(notes), L""));
}

// Back in the launch log after entries went to the fallback: the launch log says where the
// entries in between are and why, and the fallback's part ends with where the run goes on.
Line FallbackNote(const Writer& w) {
    return {LogLevel::Warning, L"entries of this run went to " + w.fallback.path +
                                   L" while this log could not be written (" + w.fallbackWhy +
                                   L"): " + std::to_wstring(w.entriesInFallback)};
}

void CloseFallbackPart(Writer& w) {
    static_cast<void>(AppendTo(
        w, w.fallback,
        {{LogLevel::Info, L"the run goes on in " + w.main.path + L", which can be written again"}},
        w.fallbackWhy));
    ForgetRunOnlyInFallback(w.fallbackRecord);
    w.entriesInFallback = 0;
}

// Into the launch log, else into the fallback, which then says why. No entry: the run's start
// line alone.
void Write(Writer& w, const std::optional<Line>& entry) {
    w.main.Name(LaunchLogPath());
    std::wstring why = L"LOCALAPPDATA is not set, so there is no launch log";
    Lines body;
    if (entry) body.push_back(*entry);
    if (!w.main.path.empty()) {
        const bool returning = w.entriesInFallback > 0;
        Lines toMain = body;
        if (returning) toMain.insert(toMain.begin(), FallbackNote(w));
        const DWORD error = AppendTo(w, w.main, std::move(toMain), L"");
        if (error == 0) {
            if (returning) CloseFallbackPart(w);
            ReportRunsOnlyInFallback(w);
            return;
        }
        why = FailureLogText(L"the launch log cannot be written", w.main.path, error,
                             SystemTextAbout(error, w.main.path));
    }
    w.fallback.Name(FallbackLogPath());
    if (w.fallback.path.empty() || AppendTo(w, w.fallback, std::move(body), why) != 0) return;
    ++w.entriesInFallback;
    w.fallbackWhy = why;
    // Until this run is back in the launch log, a later run can name it there.
    if (w.fallbackRecord.empty())
        w.fallbackRecord = RunOnlyInFallbackPath(w.fallback.path, ProcessId(), w.runBegan);
    RecordRunOnlyInFallback(
        w.fallbackRecord,
        RunOnlyInFallbackText(ProcessId(), w.runBegan, w.entriesInFallback, w.fallback.path, why));
}

void WriteEntry(LogLevel level, std::wstring_view text) {
    // The error of the call that failed is what the caller logs next: it survives the log.
    const DWORD error = ::GetLastError();
    Writer& w = TheWriter();
    {
        const std::lock_guard<std::mutex> held(w.lock);
        Write(w, Line{level, std::wstring(text)});
    }
    ::SetLastError(error);
}

} // namespace

std::wstring LaunchLogPath() {
    const std::wstring local = ReadEnvironmentVariable(L"LOCALAPPDATA");
    return local.empty() ? local : TrimTrailingSeparators(local) + L"\\Quorvex\\Launcher.log";
}

std::wstring FallbackLogPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return L"";
    return TrimTrailingSeparators(folder) + L"\\Quorvex Launcher.log";
}

std::wstring OldLogPath(std::wstring_view logPath) {
    std::wstring path(logPath);
    if (path.size() >= 4 && EqualsNoCase(std::wstring_view(path).substr(path.size() - 4), L".log"))
        path.resize(path.size() - 4);
    return path + L".old.log";
}

void LogRunStart(std::wstring_view text) {
    const DWORD error = ::GetLastError();
    Writer& w = TheWriter();
    {
        const std::lock_guard<std::mutex> held(w.lock);
        w.run.assign(text);
        w.runBegan = Now();
        w.runThread = ::GetCurrentThreadId();
        w.startWritten = false;
        w.main.written = w.fallback.written = false;
        Write(w, std::nullopt);
    }
    ::SetLastError(error);
}

void NoteRunEnding(std::wstring_view how) {
    Writer& w = TheWriter();
    const std::lock_guard<std::mutex> held(w.lock);
    w.ending.assign(how);
}

void NoteRunEndingAfterMessage() {
    const std::string key = LastShownMessageKey();
    NoteRunEnding(L"closed after the message " + std::wstring(key.begin(), key.end()));
}

void LogRunEnd(int exitCode) {
    std::wstring how;
    {
        Writer& w = TheWriter();
        const std::lock_guard<std::mutex> held(w.lock);
        how =
            w.ending.empty() ? L"the main window ended for no reason the launcher noted" : w.ending;
        // A failure the dialog stayed open after is still what support looks for.
        if (!w.failureKey.empty() && how.find(L"after the message ") == std::wstring::npos)
            how += L" after the message " + std::wstring(w.failureKey.begin(), w.failureKey.end());
    }
    WriteEntry(LogLevel::Info, L"end: " + how + L"; exit code " + std::to_wstring(exitCode));
}

void Log(std::wstring_view text) {
    WriteEntry(LogLevel::Info, text);
}

void Log(LogLevel level, std::wstring_view text) {
    WriteEntry(level, text);
}

void LogFailure(std::wstring_view action, std::wstring_view path, DWORD error, LogLevel level) {
    WriteEntry(level, FailureLogText(action, path, error, SystemTextAbout(error, path)));
}

void LogShownMessage(std::string_view key, std::wstring_view englishCaption, std::wstring_view text,
                     LogLevel level) {
    {
        Writer& w = TheWriter();
        const std::lock_guard<std::mutex> held(w.lock);
        // The update check's thread shows its own; the run is the dialog's.
        if (w.runThread == 0 || ::GetCurrentThreadId() == w.runThread) {
            w.lastMessageKey.assign(key);
            if (level == LogLevel::Error) w.failureKey.assign(key);
        }
    }
    WriteEntry(level, ShownMessageLogText(key, englishCaption, text));
}

std::string LastShownMessageKey() {
    Writer& w = TheWriter();
    const std::lock_guard<std::mutex> held(w.lock);
    return w.lastMessageKey;
}

std::wstring SystemErrorText(DWORD error) {
    // English first: support searches for the same words whatever language Windows speaks.
    for (const DWORD language : {DWORD{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)}, DWORD{0}}) {
        wchar_t* buffer = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
        ::LocalFree(buffer);
        if (!text.empty()) return Trim(text);
    }
    return L"";
}

} // namespace qv
