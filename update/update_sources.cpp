#include "update/update_sources.h"

#include "base/text.h"

namespace qv {

namespace {

constexpr std::wstring_view LoopbackPrefix = L"http://127.0.0.1:";

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool IsPathCharacter(wchar_t c) {
    return IsDigit(c) || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'-' ||
           c == L'_' || c == L'/';
}

} // namespace

bool IsLoopbackSource(std::wstring_view base) {
    if (!StartsWith(base, LoopbackPrefix)) return false;
    std::wstring_view rest = base.substr(LoopbackPrefix.size());
    std::size_t digits = 0;
    while (digits < rest.size() && IsDigit(rest[digits]))
        ++digits;
    // A port of one to five digits, then nothing or a path: "127.0.0.1:80@elsewhere" and the
    // like never pass.
    if (digits == 0 || digits > 5) return false;
    const long port = ReadLeadingInt(rest.substr(0, digits));
    if (port < 1 || port > 65535) return false;
    rest.remove_prefix(digits);
    if (rest.empty()) return true;
    if (rest.front() != L'/') return false;
    for (wchar_t c : rest)
        if (!IsPathCharacter(c)) return false;
    return true;
}

std::vector<std::wstring> BuiltInUpdateSources() {
    return {ProductSite, ChinaSite, MirrorSite};
}

std::wstring ReleaseFileAddress(std::wstring_view base) {
    return FormatText(L"%s/download/version.txt", {base});
}

std::vector<std::wstring> LoopbackUpdateSources(std::wstring_view list) {
    std::vector<std::wstring> sources;
    while (true) {
        const std::size_t end = list.find(L';');
        const std::wstring entry = Trim(list.substr(0, end));
        if (IsLoopbackSource(entry)) sources.push_back(entry);
        if (end == std::wstring_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return sources;
}

std::vector<std::wstring> UpdateSourcesFor(const std::optional<std::wstring>& loopbackList) {
    if (!loopbackList || loopbackList->empty()) return BuiltInUpdateSources();
    return LoopbackUpdateSources(*loopbackList);
}

} // namespace qv
