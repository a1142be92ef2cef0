// Text helpers shared by every subsystem. Pure: no Windows headers, so they build and are
// tested natively as well. Wide strings hold UTF-16 on Windows and UTF-32 elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The white space the launcher trims everywhere: blank, tab, line feed, vertical tab,
// form feed and carriage return.
bool IsBlank(wchar_t c);
std::wstring Trim(std::wstring_view text);
std::wstring TrimTrailing(std::wstring_view text, std::wstring_view characters);
std::wstring TrimTrailingSeparators(std::wstring_view path);
// The path up to its last backslash; "" when it has none.
std::wstring ParentFolder(std::wstring_view path);

std::wstring ToLower(std::wstring_view text);
std::wstring ToUpper(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWith(std::wstring_view text, std::wstring_view prefix);
bool Contains(std::wstring_view text, std::wstring_view part);

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);
std::wstring RemoveAll(std::wstring_view text, std::wstring_view part);

// Leading decimal integer as the C runtime reads it: optional white space, optional sign,
// digits up to the first other character; 0 without digits. Saturates instead of overflowing.
long ReadLeadingInt(std::wstring_view text);
// Leading decimal number (digits with an optional fraction) read as a double; 0 without one.
double ReadLeadingDouble(std::wstring_view text);
// Whole text as an unsigned 32-bit decimal: blanks around it allowed, nothing else.
[[nodiscard]] bool ParseUnsigned(std::wstring_view text, std::uint32_t& value);

// Fills printf-style placeholders (%s, %d, %c and the like) in order with texts the caller has
// already formatted; "%%" gives "%". Missing arguments leave their placeholder empty.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// A program's path as the head of a command line: in double quotes, so that the program reads
// a path with blanks as one argument.
std::wstring Quoted(std::wstring_view path);

// Text held by UTF-16 little-endian bytes: the units up to the first NUL, or all complete units.
// A trailing odd byte is not half a character and is dropped.
std::wstring TextFromUtf16Bytes(const std::uint8_t* bytes, std::size_t count);
// The UTF-16 units of a text, little-endian, without a terminating NUL.
std::vector<std::uint8_t> Utf16BytesFromText(std::wstring_view text);

} // namespace qv
