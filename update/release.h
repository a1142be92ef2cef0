// Release texts as the product's web sites publish them ("2026-R1", "2025-R2-SP1") and the
// release of this program. Pure: builds and is tested natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qv {

// The release this program belongs to; the About box shows it as well.
inline constexpr wchar_t ProductRelease[] = L"2025-R2";

struct ReleaseNumber {
    std::int32_t year = 0;
    std::int32_t revision = 0;
    std::int32_t servicePack = 0;
};

// Year, revision and service pack of a release text: the part before the first "-" is the year;
// after it come the revision (its "R" removed) and, after a second "-", the service pack (its
// "SP" removed), letter case ignored. Each part is read as a leading decimal integer; a missing
// or unreadable part is 0.
ReleaseNumber ParseReleaseText(std::wstring_view text);

// Whether the published release comes after the running one (year, then revision, then
// service pack).
bool IsNewerRelease(const ReleaseNumber& published, const ReleaseNumber& running);

// A release file is one short line of text. Anything longer, or with a NUL byte in it, is some
// other answer and is not read as a release.
inline constexpr std::size_t MaxReleaseFileBytes = 4096;
bool IsReleaseFileBody(std::string_view bytes);
// The body without the UTF-8 byte-order mark some editors write first: it is never part of a
// release, and before the year it would hide it.
std::string_view WithoutByteOrderMark(std::string_view bytes);

} // namespace qv
