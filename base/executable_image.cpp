#include "base/executable_image.h"

namespace qv {

namespace {

constexpr std::size_t PeOffsetField = 0x3C;
constexpr std::uint64_t PeSignatureSize = 4;
constexpr std::uint16_t MachineX64 = 0x8664;
constexpr std::uint16_t MachineItanium = 0x0200;
constexpr std::size_t OptionalHeaderSizeField = 16; // in the COFF header
constexpr std::uint16_t OptionalHeaderMagic32 = 0x10B;
constexpr std::uint16_t OptionalHeaderMagic64 = 0x20B;
constexpr std::size_t SubsystemField = CoffHeaderSize + 68;
constexpr std::uint16_t SubsystemGraphical = 2;
constexpr std::uint16_t SubsystemConsole = 3;

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// Where the headers a reading needs start in the image, or nothing when they do not fit in it.
std::optional<std::size_t> HeadersAt(const std::uint8_t* image, std::size_t size,
                                     std::size_t needed) {
    const std::optional<std::uint64_t> offset = CoffHeaderOffset(image, size);
    if (!offset || *offset > size || size - *offset < needed) return std::nullopt;
    return static_cast<std::size_t>(*offset);
}

} // namespace

std::optional<std::uint64_t> CoffHeaderOffset(const std::uint8_t* dosHeader, std::size_t size) {
    if (dosHeader == nullptr || size < DosHeaderSize) return std::nullopt;
    // 64-bit sum: an offset near 4 GiB must not wrap round to the start of the file.
    return std::uint64_t{ReadLe32(dosHeader + PeOffsetField)} + PeSignatureSize;
}

ExecutableBitness BitnessFromCoffHeader(const std::uint8_t* coffHeader, std::size_t size) {
    if (coffHeader == nullptr || size < CoffHeaderSize) return ExecutableBitness::Unreadable;
    const std::uint16_t machine = ReadLe16(coffHeader);
    return machine == MachineX64 || machine == MachineItanium ? ExecutableBitness::Bits64
                                                              : ExecutableBitness::Bits32;
}

ExecutableBitness ExecutableBitnessFromImage(const std::uint8_t* image, std::size_t size) {
    const std::optional<std::size_t> at = HeadersAt(image, size, CoffHeaderSize);
    return at ? BitnessFromCoffHeader(image + *at, CoffHeaderSize) : ExecutableBitness::Unreadable;
}

ExecutableSubsystem SubsystemFromHeaders(const std::uint8_t* coffHeader, std::size_t size) {
    if (coffHeader == nullptr || size < SubsystemHeadersSize)
        return ExecutableSubsystem::Unreadable;
    if (ReadLe16(coffHeader + OptionalHeaderSizeField) < SubsystemHeadersSize - CoffHeaderSize)
        return ExecutableSubsystem::Unreadable;
    const std::uint16_t magic = ReadLe16(coffHeader + CoffHeaderSize);
    if (magic != OptionalHeaderMagic32 && magic != OptionalHeaderMagic64)
        return ExecutableSubsystem::Unreadable;
    switch (ReadLe16(coffHeader + SubsystemField)) {
    case SubsystemConsole:
        return ExecutableSubsystem::Console;
    case SubsystemGraphical:
        return ExecutableSubsystem::Graphical;
    default:
        return ExecutableSubsystem::Other;
    }
}

ExecutableSubsystem ExecutableSubsystemFromImage(const std::uint8_t* image, std::size_t size) {
    const std::optional<std::size_t> at = HeadersAt(image, size, SubsystemHeadersSize);
    return at ? SubsystemFromHeaders(image + *at, SubsystemHeadersSize)
              : ExecutableSubsystem::Unreadable;
}

} // namespace qv
