// Whether a Windows program is 32- or 64-bit, from the machine field of its COFF file header.
// Signatures are not checked: only the offset at 0x3C and the machine field are read.
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

} // namespace qv
