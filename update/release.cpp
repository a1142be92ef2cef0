#include "update/release.h"

#include "base/text.h"

#include <algorithm>
#include <limits>
#include <string>

namespace qv {

namespace {

std::int32_t ReadPart(std::wstring_view text) {
    // A year like 99999999999 saturates instead of wrapping into something small.
    const long value = ReadLeadingInt(text);
    return static_cast<std::int32_t>(std::clamp<long>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

ReleaseNumber ParseReleaseText(std::wstring_view text) {
    const std::size_t dash = text.find(L'-');
    if (dash == std::wstring_view::npos) return {};
    const std::wstring_view rest = text.substr(dash + 1);
    const std::size_t secondDash = rest.find(L'-');
    ReleaseNumber release;
    release.year = ReadPart(text.substr(0, dash));
    release.revision = ReadPart(RemoveAll(ToUpper(rest.substr(0, secondDash)), L"R"));
    if (secondDash != std::wstring_view::npos)
        release.servicePack = ReadPart(RemoveAll(ToUpper(rest.substr(secondDash + 1)), L"SP"));
    return release;
}

bool IsNewerRelease(const ReleaseNumber& published, const ReleaseNumber& running) {
    if (published.year != running.year) return published.year > running.year;
    if (published.revision != running.revision) return published.revision > running.revision;
    return published.servicePack > running.servicePack;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    return bytes.substr(0, mark.size()) == mark ? bytes.substr(mark.size()) : bytes;
}

bool IsReleaseFileBody(std::string_view bytes) {
    return !bytes.empty() && bytes.size() <= MaxReleaseFileBytes &&
           bytes.find('\0') == std::string_view::npos;
}

} // namespace qv
