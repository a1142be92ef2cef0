#include "launch/requirements/executable_bitness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A DOS header pointing at offset 0x80, the signature, and a COFF header with the machine.
Bytes Image(std::uint16_t machine, std::size_t size = 0x80 + 4 + 20) {
    Bytes bytes(0x80 + 4 + 20, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    PutLe32(bytes, 0x3C, 0x80);
    bytes[0x80] = 'P';
    bytes[0x81] = 'E';
    bytes[0x84] = static_cast<std::uint8_t>(machine & 0xFF);
    bytes[0x85] = static_cast<std::uint8_t>(machine >> 8);
    bytes.resize(size, 0xCC);
    return bytes;
}

ExecutableBitness Bitness(const Bytes& bytes) {
    return ExecutableBitnessFromImage(bytes.data(), bytes.size());
}

TEST(ExecutableBitness, MachineFieldDecides) {
    struct Case {
        std::uint16_t machine;
        ExecutableBitness bitness;
    };
    for (const Case& c :
         std::vector<Case>{{0x8664, ExecutableBitness::Bits64},
                           {0x0200, ExecutableBitness::Bits64},
                           {0x014C, ExecutableBitness::Bits32},
                           {0xAA64, ExecutableBitness::Bits32}, // ARM64: not 64-bit here
                           {0x6486, ExecutableBitness::Bits32}, // x64 byte-swapped
                           {0x0000, ExecutableBitness::Bits32}})
        EXPECT_EQ(Bitness(Image(c.machine)), c.bitness) << std::hex << c.machine;
}

TEST(ExecutableBitness, SignaturesAreNotChecked) {
    Bytes bytes = Image(0x8664);
    bytes[0] = bytes[1] = bytes[0x80] = bytes[0x81] = 'x';
    EXPECT_EQ(Bitness(bytes), ExecutableBitness::Bits64);
}

TEST(ExecutableBitness, HeadersOutsideTheImageAreUnreadable) {
    const Bytes whole = Image(0x8664);
    EXPECT_EQ(Bitness(Bytes(whole.begin(), whole.end() - 1)), ExecutableBitness::Unreadable);
    EXPECT_EQ(Bitness(Bytes(whole.begin(), whole.begin() + 63)), ExecutableBitness::Unreadable);
    EXPECT_EQ(Bitness(Bytes()), ExecutableBitness::Unreadable);
    EXPECT_EQ(ExecutableBitnessFromImage(nullptr, 0), ExecutableBitness::Unreadable);

    struct Case {
        std::uint32_t peOffset;
        ExecutableBitness bitness;
    };
    for (const Case& c :
         std::vector<Case>{{0, ExecutableBitness::Bits32}, // COFF over the DOS header
                           {0x80, ExecutableBitness::Bits64},
                           {0x81, ExecutableBitness::Unreadable}, // one byte short
                           {0x1000, ExecutableBitness::Unreadable},
                           {0xFFFFFFFC, ExecutableBitness::Unreadable}, // wraps in 32 bits
                           {0xFFFFFFFF, ExecutableBitness::Unreadable}}) {
        Bytes bytes = whole;
        PutLe32(bytes, 0x3C, c.peOffset);
        EXPECT_EQ(Bitness(bytes), c.bitness) << std::hex << c.peOffset;
    }
}

TEST(ExecutableBitness, CoffOffsetIsTheFieldPlusTheSignature) {
    Bytes header(64, 0);
    PutLe32(header, 0x3C, 0xFFFFFFFF);
    EXPECT_EQ(CoffHeaderOffset(header.data(), header.size()), 0xFFFFFFFFull + 4);
    EXPECT_FALSE(CoffHeaderOffset(header.data(), 63).has_value());
    EXPECT_EQ(BitnessFromCoffHeader(header.data(), 19), ExecutableBitness::Unreadable);
}

// Linux paths: the native builds read the libraries Wine installs; the Windows tests read the
// prefix's own copies (tests/win).
#ifndef _WIN32
Bytes ReadWholeFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(ExecutableBitness, WineLibrariesFromTheDistribution) {
    struct Case {
        const char* path;
        ExecutableBitness bitness;
    };
    for (const Case& c : std::vector<Case>{
             {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/kernel32.dll",
              ExecutableBitness::Bits64},
             {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/notepad.exe",
              ExecutableBitness::Bits64},
             {"/usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll", ExecutableBitness::Bits32},
             {"/usr/lib/i386-linux-gnu/wine/i386-windows/notepad.exe",
              ExecutableBitness::Bits32}}) {
        const Bytes bytes = ReadWholeFile(c.path);
        ASSERT_FALSE(bytes.empty())
            << c.path << " is missing: tools/setup.sh installs wine64 and wine32";
        EXPECT_EQ(Bitness(bytes), c.bitness) << c.path;
        // Cut just before the end of the COFF header: no longer readable.
        const std::uint64_t end = *CoffHeaderOffset(bytes.data(), bytes.size()) + CoffHeaderSize;
        EXPECT_EQ(Bitness(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(end) - 1)),
                  ExecutableBitness::Unreadable)
            << c.path;
        EXPECT_EQ(Bitness(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(end))), c.bitness)
            << c.path;
    }
}
#endif

} // namespace
} // namespace qv
