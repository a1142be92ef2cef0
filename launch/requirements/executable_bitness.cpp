#include "launch/requirements/executable_bitness.h"

namespace qv {

namespace {

constexpr std::size_t PeOffsetField = 0x3C;
constexpr std::uint64_t PeSignatureSize = 4;
constexpr std::uint16_t MachineX64 = 0x8664;
constexpr std::uint16_t MachineItanium = 0x0200;

std::uint16_t ReadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadLe32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
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
    const std::optional<std::uint64_t> offset = CoffHeaderOffset(image, size);
    if (!offset || *offset > size || size - *offset < CoffHeaderSize)
        return ExecutableBitness::Unreadable;
    return BitnessFromCoffHeader(image + *offset, CoffHeaderSize);
}

} // namespace qv
