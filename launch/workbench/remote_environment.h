// Reading one variable of another process's environment out of its memory, as the platform lays
// the process out, for the 32-bit and the 64-bit layout. Pure: the memory is reached through
// RemoteMemory, so the walk runs on byte images in tests and under the fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Sizes read and offsets of the fields used, in bytes.
struct ProcessLayout {
    std::size_t addressWidth; // 4 or 8
    std::size_t basicInformationSize, pebAddressAt;
    std::size_t pebSize, parametersAddressAt;
    std::size_t parametersSize, environmentAddressAt, environmentSizeAt;
    std::size_t memoryInformationSize, regionBaseAt, regionSizeAt;
};
inline constexpr ProcessLayout Layout32{4, 24, 4, 32, 0x10, 660, 0x48, 0x290, 28, 0, 0x0C};
inline constexpr ProcessLayout Layout64{8, 48, 8, 64, 0x20, 1016, 0x80, 0x3F0, 48, 0, 0x18};

// More than any real environment: a larger recorded size is taken for garbage, not read.
inline constexpr std::uint64_t LargestRemoteEnvironment = 16u << 20;

class RemoteMemory {
  public:
    virtual ~RemoteMemory() = default;
    // Exactly size bytes at the address, or false.
    virtual bool Read(std::uint64_t address, std::uint8_t* buffer, std::size_t size) = 0;
    // The memory information structure (the layout's size) of the region at the address.
    virtual bool Query(std::uint64_t address, std::uint8_t* buffer, std::size_t size) = 0;
};

struct RemoteVariable {
    int result = -1;    // -1: the block could not be read; else the value's length (0: absent)
    std::wstring value; // set when found
};

struct EnvironmentReading {
    bool recordedSize = true; // Vista and later record the block's size in the parameters
    bool queryRegion = true;  // the block must lie in one region (always asked on 32-bit Windows)
};

// From the process basic information on: the PEB, the process parameters, the block. A null
// address, a zero or odd size, a block beyond its region, past the address space or larger
// than LargestRemoteEnvironment give -1 without reading there.
RemoteVariable ReadRemoteVariable(const ProcessLayout& layout, const std::uint8_t* basicInformation,
                                  std::size_t basicInformationSize, RemoteMemory& memory,
                                  std::wstring_view name, const EnvironmentReading& reading);

// The entry NAME=value whose name matches ignoring case, in a block of UTF-16 entries each ended
// by a NUL, the block ended by an empty entry or by the end of the bytes.
RemoteVariable FindEnvironmentEntry(const std::uint8_t* block, std::size_t size,
                                    std::wstring_view name);

} // namespace qv
