#include "base/launch_log_win.h"

#include "base/environment_win.h"
#include "base/handles_win.h"
#include "base/launch_log.h"
#include "base/text.h"

#include <mutex>

namespace qv {

namespace {

std::mutex logLock; // the update check logs from its own thread

std::wstring LogFolder() {
    const std::wstring local = ReadEnvironmentVariable(L"LOCALAPPDATA");
    return local.empty() ? std::wstring() : TrimTrailingSeparators(local) + L"\\Quorvex";
}

LogTime Now() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

// A full log is set aside, replacing the old one, so that the log never grows without bound.
void RotateWhenFull(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return;
    const std::uint64_t size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    if (size < LogRotationBytes) return;
    const std::wstring old = path.substr(0, path.size() - 4) + L".old.log";
    ::MoveFileExW(path.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void Append(const std::wstring& path, const std::string& entry) {
    UniqueFile file(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.get(), entry.data(), static_cast<DWORD>(entry.size()), &written, nullptr);
}

} // namespace

std::wstring LaunchLogPath() {
    const std::wstring folder = LogFolder();
    return folder.empty() ? folder : folder + L"\\Launcher.log";
}

void Log(std::wstring_view text) {
    // The error of the call that failed is what the caller logs next: it survives the log.
    const DWORD error = ::GetLastError();
    const std::wstring folder = LogFolder();
    if (!folder.empty()) {
        const std::string entry = FormatLogEntry(Now(), text);
        const std::wstring path = folder + L"\\Launcher.log";
        const std::lock_guard<std::mutex> hold(logLock);
        ::CreateDirectoryW(folder.c_str(), nullptr);
        RotateWhenFull(path);
        Append(path, entry);
    }
    ::SetLastError(error);
}

void LogFailure(std::wstring_view action, std::wstring_view path, DWORD error) {
    Log(FormatText(L"%s: %s: error %d: %s",
                   {action, path, std::to_wstring(error), SystemErrorText(error)}));
}

std::wstring SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    ::LocalFree(buffer);
    return Trim(text);
}

} // namespace qv
