#include "launch/requirements/executable_bitness_win.h"

#include "base/handles_win.h"

#include <array>
#include <string>

namespace qv {

namespace {

// Reads exactly count bytes at the offset, or reports false.
bool ReadAt(HANDLE file, std::uint64_t offset, std::uint8_t* buffer, DWORD count) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return false;
    DWORD total = 0;
    while (total < count) {
        DWORD read = 0;
        if (!::ReadFile(file, buffer + total, count - total, &read, nullptr) || read == 0)
            return false;
        total += read;
    }
    return true;
}

} // namespace

ExecutableBitness ReadExecutableBitness(std::wstring_view path) {
    // Others may hold the program open, even for writing, as a running program or an installer.
    UniqueFile file(::CreateFileW(std::wstring(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ExecutableBitness::Unreadable;
    std::array<std::uint8_t, DosHeaderSize> dosHeader{};
    if (!ReadAt(file.get(), 0, dosHeader.data(), DosHeaderSize))
        return ExecutableBitness::Unreadable;
    const std::optional<std::uint64_t> offset =
        CoffHeaderOffset(dosHeader.data(), dosHeader.size());
    std::array<std::uint8_t, CoffHeaderSize> coffHeader{};
    if (!offset || !ReadAt(file.get(), *offset, coffHeader.data(), CoffHeaderSize))
        return ExecutableBitness::Unreadable;
    return BitnessFromCoffHeader(coffHeader.data(), coffHeader.size());
}

} // namespace qv
