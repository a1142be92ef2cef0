#include "base/executable_image.h"

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

void PutLe16(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Image() with an optional header of the size and magic given, its subsystem field set.
Bytes ImageWithSubsystem(std::uint16_t subsystem, std::uint16_t magic = 0x10B,
                         std::uint16_t optionalSize = 0xE0) {
    Bytes bytes = Image(0x014C, 0x84 + 20 + 0xE0);
    PutLe16(bytes, 0x84 + 16, optionalSize);
    PutLe16(bytes, 0x84 + 20, magic);
    PutLe16(bytes, 0x84 + 20 + 68, subsystem);
    return bytes;
}

ExecutableSubsystem Subsystem(const Bytes& bytes) {
    return ExecutableSubsystemFromImage(bytes.data(), bytes.size());
}

TEST(ExecutableSubsystem, SubsystemFieldDecidesInEitherKindOfOptionalHeader) {
    struct Case {
        std::uint16_t subsystem;
        std::uint16_t magic;
        ExecutableSubsystem expected;
    };
    for (const Case& c : std::vector<Case>{{3, 0x10B, ExecutableSubsystem::Console},
                                           {3, 0x20B, ExecutableSubsystem::Console},
                                           {2, 0x10B, ExecutableSubsystem::Graphical},
                                           {2, 0x20B, ExecutableSubsystem::Graphical},
                                           {1, 0x10B, ExecutableSubsystem::Other},  // driver
                                           {10, 0x20B, ExecutableSubsystem::Other}, // EFI
                                           {0x0300, 0x10B, ExecutableSubsystem::Other},
                                           {3, 0x107, ExecutableSubsystem::Unreadable}, // ROM
                                           {3, 0x0000, ExecutableSubsystem::Unreadable}})
        EXPECT_EQ(Subsystem(ImageWithSubsystem(c.subsystem, c.magic)), c.expected)
            << c.subsystem << " " << std::hex << c.magic;
}

TEST(ExecutableSubsystem, AnOptionalHeaderThatEndsBeforeTheFieldIsUnreadable) {
    // Its stated size, and the image's own end.
    EXPECT_EQ(Subsystem(ImageWithSubsystem(3, 0x10B, 70)), ExecutableSubsystem::Console);
    EXPECT_EQ(Subsystem(ImageWithSubsystem(3, 0x10B, 69)), ExecutableSubsystem::Unreadable);
    EXPECT_EQ(Subsystem(ImageWithSubsystem(3, 0x10B, 0)), ExecutableSubsystem::Unreadable);
    const Bytes whole = ImageWithSubsystem(3);
    const std::size_t end = 0x84 + SubsystemHeadersSize;
    EXPECT_EQ(Subsystem(Bytes(whole.begin(), whole.begin() + end)), ExecutableSubsystem::Console);
    EXPECT_EQ(Subsystem(Bytes(whole.begin(), whole.begin() + end - 1)),
              ExecutableSubsystem::Unreadable);
    EXPECT_EQ(ExecutableSubsystemFromImage(nullptr, 0), ExecutableSubsystem::Unreadable);
    EXPECT_EQ(SubsystemFromHeaders(whole.data() + 0x84, SubsystemHeadersSize - 1),
              ExecutableSubsystem::Unreadable);
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

TEST(ExecutableSubsystem, WineProgramsFromTheDistribution) {
    struct Case {
        const char* path;
        ExecutableSubsystem subsystem;
    };
    for (const Case& c : std::vector<Case>{
             {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/cmd.exe",
              ExecutableSubsystem::Console},
             {"/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/notepad.exe",
              ExecutableSubsystem::Graphical},
             {"/usr/lib/i386-linux-gnu/wine/i386-windows/cmd.exe", ExecutableSubsystem::Console},
             {"/usr/lib/i386-linux-gnu/wine/i386-windows/notepad.exe",
              ExecutableSubsystem::Graphical}}) {
        const Bytes bytes = ReadWholeFile(c.path);
        ASSERT_FALSE(bytes.empty()) << c.path << " is missing";
        EXPECT_EQ(Subsystem(bytes), c.subsystem) << c.path;
    }
}
#endif

} // namespace
} // namespace qv
