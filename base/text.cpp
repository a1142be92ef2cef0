#include "base/text.h"

#include <cstdlib>
#include <cwctype>
#include <limits>

namespace qv {

std::wstring Quoted(std::wstring_view path) {
    return L"\"" + std::wstring(path) + L"\"";
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

std::wstring Trim(std::wstring_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::wstring(text.substr(begin, end - begin));
}

std::wstring TrimTrailing(std::wstring_view text, std::wstring_view characters) {
    std::size_t end = text.size();
    while (end > 0 && characters.find(text[end - 1]) != std::wstring_view::npos)
        --end;
    return std::wstring(text.substr(0, end));
}

std::wstring ParentFolder(std::wstring_view path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

std::wstring TrimTrailingSeparators(std::wstring_view path) {
    return TrimTrailing(path, L"/\\");
}

std::wstring ToLower(std::wstring_view text) {
    std::wstring result(text);
    for (auto& c : result)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    return result;
}

std::wstring ToUpper(std::wstring_view text) {
    std::wstring result(text);
    for (auto& c : result)
        c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    return result;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && ToLower(a) == ToLower(b);
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::wstring_view text, std::wstring_view part) {
    return text.find(part) != std::wstring_view::npos;
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    if (from.empty()) return std::wstring(text);
    std::wstring result;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::wstring_view::npos;
         pos = hit + from.size()) {
        result.append(text.substr(pos, hit - pos)).append(to);
    }
    return result.append(text.substr(pos));
}

std::wstring RemoveAll(std::wstring_view text, std::wstring_view part) {
    return ReplaceAll(text, part, L"");
}

static bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

long ReadLeadingInt(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    // Accumulates in a wider type and stops growing past the limit, so no digit count overflows.
    constexpr unsigned long long limit =
        static_cast<unsigned long long>(std::numeric_limits<long>::max()) + 1;
    unsigned long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (value <= limit) value = value * 10 + static_cast<unsigned>(text[i] - L'0');
    }
    if (negative)
        return value >= limit ? std::numeric_limits<long>::min() : -static_cast<long>(value);
    return value >= limit ? std::numeric_limits<long>::max() : static_cast<long>(value);
}

double ReadLeadingDouble(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    double sign = 1.0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        sign = text[i++] == L'-' ? -1.0 : 1.0;
    // Digits are collected and converted once so that "19.3" gives the same double as the
    // literal 19.3; summing fractions digit by digit would drift by an ulp.
    std::string digits;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        digits += static_cast<char>(text[i]);
    if (i < text.size() && text[i] == L'.') {
        digits += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            digits += static_cast<char>(text[i]);
    }
    if (digits.empty() || digits == ".") return 0.0;
    return sign * std::strtod(digits.c_str(), nullptr);
}

bool ParseUnsigned(std::wstring_view text, std::uint32_t& value) {
    std::size_t i = 0, end = text.size();
    while (i < end && IsBlank(text[i]))
        ++i;
    while (end > i && IsBlank(text[end - 1]))
        --end;
    if (i == end) return false;
    std::uint64_t result = 0;
    for (; i < end; ++i) {
        if (!IsDigit(text[i])) return false;
        result = result * 10 + static_cast<std::uint64_t>(text[i] - L'0');
        if (result > std::numeric_limits<std::uint32_t>::max()) return false;
    }
    value = static_cast<std::uint32_t>(result);
    return true;
}

std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    // Grown once: discovery formats a candidate folder for every drive and release.
    std::size_t size = pattern.size();
    for (std::wstring_view arg : args)
        size += arg.size();
    std::wstring result;
    result.reserve(size);
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%' || i + 1 == pattern.size()) {
            result += pattern[i];
            continue;
        }
        if (pattern[i + 1] == L'%') {
            result += L'%';
            ++i;
            continue;
        }
        // Skip flags, width and precision up to the conversion letter.
        std::size_t j = i + 1;
        while (j < pattern.size() &&
               (IsDigit(pattern[j]) || pattern[j] == L'.' || pattern[j] == L'-'))
            ++j;
        if (j == pattern.size()) {
            result.append(pattern.substr(i));
            break;
        }
        if (next != args.end()) result.append(*next++);
        i = j;
    }
    return result;
}

std::wstring TextFromUtf16Bytes(const std::uint8_t* bytes, std::size_t count) {
    std::wstring result;
    const std::size_t units = count / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        if (unit == 0) break;
        if constexpr (sizeof(wchar_t) == 2) {
            result += static_cast<wchar_t>(unit);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const auto low = static_cast<char16_t>(bytes[2 * i + 2] | (bytes[2 * i + 3] << 8));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                result += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
            } else {
                result += static_cast<wchar_t>(unit);
            }
        } else {
            result += static_cast<wchar_t>(unit);
        }
    }
    return result;
}

std::vector<std::uint8_t> Utf16BytesFromText(std::wstring_view text) {
    std::vector<std::uint8_t> bytes;
    auto put = [&bytes](std::uint32_t unit) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    };
    for (wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return bytes;
}

} // namespace qv
