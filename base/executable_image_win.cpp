#include "base/executable_image_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

namespace {

// Reads exactly count bytes at the offset, or reports false with the system's error (the end
// of the file when it is shorter).
bool ReadAt(HANDLE file, std::uint64_t offset, std::uint8_t* buffer, DWORD count) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return false;
    DWORD total = 0;
    while (total < count) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer + total, count - total, &read, nullptr)) return false;
        if (read == 0) {
            ::SetLastError(ERROR_HANDLE_EOF);
            return false;
        }
        total += read;
    }
    return true;
}

// The count bytes from the COFF header on; empty, with the failure logged, when the file cannot
// be opened or is too short for them.
std::vector<std::uint8_t> ReadHeaders(std::wstring_view path, DWORD count) {
    // Others may hold the program open, even for writing, as a running program or an installer.
    UniqueFile file(::CreateFileW(std::wstring(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        LogFailure(L"open the program to read its headers", path, ::GetLastError());
        return {};
    }
    std::array<std::uint8_t, DosHeaderSize> dosHeader{};
    if (!ReadAt(file.get(), 0, dosHeader.data(), DosHeaderSize)) {
        LogFailure(L"read the program's DOS header", path, ::GetLastError());
        return {};
    }
    const std::optional<std::uint64_t> offset =
        CoffHeaderOffset(dosHeader.data(), dosHeader.size());
    std::vector<std::uint8_t> headers(count);
    // The offset is there: the whole DOS header was read.
    if (!offset || !ReadAt(file.get(), *offset, headers.data(), count)) {
        LogFailure(L"read the program's file header", path, ::GetLastError());
        return {};
    }
    return headers;
}

} // namespace

ExecutableBitness ReadExecutableBitness(std::wstring_view path) {
    const std::vector<std::uint8_t> headers = ReadHeaders(path, CoffHeaderSize);
    return BitnessFromCoffHeader(headers.data(), headers.size());
}

ExecutableSubsystem ReadExecutableSubsystem(std::wstring_view path) {
    const std::vector<std::uint8_t> headers = ReadHeaders(path, SubsystemHeadersSize);
    return SubsystemFromHeaders(headers.data(), headers.size());
}

} // namespace qv
