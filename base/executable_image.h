// What a Windows program's headers say about it: whether it is 32- or 64-bit, from the machine
// field of its COFF file header, and whether it is a console program, from the subsystem field of
// its optional header. Signatures are not checked: only the offset at 0x3C and those fields (with
// the optional header's size and magic) are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace qv {

enum class ExecutableBitness { Unreadable, Bits32, Bits64 };

inline constexpr std::size_t DosHeaderSize = 64;
inline constexpr std::size_t CoffHeaderSize = 20;

// Where the COFF header starts: the PE offset at 0x3C plus the four-byte signature. Nothing
// when fewer than DosHeaderSize bytes are given.
std::optional<std::uint64_t> CoffHeaderOffset(const std::uint8_t* dosHeader, std::size_t size);

// 0x8664 (x64) and 0x0200 (Itanium) are 64-bit, every other machine 32-bit; Unreadable when
// fewer than CoffHeaderSize bytes are given.
ExecutableBitness BitnessFromCoffHeader(const std::uint8_t* coffHeader, std::size_t size);

// The same for a whole file image. A header that does not fit in the image is Unreadable,
// never a guess.
ExecutableBitness ExecutableBitnessFromImage(const std::uint8_t* image, std::size_t size);

enum class ExecutableSubsystem { Unreadable, Console, Graphical, Other };

// The COFF header and the optional header up to the end of its subsystem field, which sits at the
// same place in 32- and 64-bit images.
inline constexpr std::size_t SubsystemHeadersSize = CoffHeaderSize + 70;

// From a COFF header followed by its optional header. Unreadable when fewer than
// SubsystemHeadersSize bytes are given, when the COFF header says its optional header is shorter
// than that, or when the optional header is neither the 32- nor the 64-bit kind.
ExecutableSubsystem SubsystemFromHeaders(const std::uint8_t* coffHeader, std::size_t size);

// The same for a whole file image.
ExecutableSubsystem ExecutableSubsystemFromImage(const std::uint8_t* image, std::size_t size);

} // namespace qv
