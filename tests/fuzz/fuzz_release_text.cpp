// What the update check reads from the network and from its environment: the release file's
// body and text, and the list of loopback sources a test may name.
#include "fuzz_input.h"
#include "update/release.h"
#include "update/update_sources.h"

#include <string_view>

namespace {

bool SameRelease(const qv::ReleaseNumber& a, const qv::ReleaseNumber& b) {
    return a.year == b.year && a.revision == b.revision && a.servicePack == b.servicePack;
}

void CheckReleaseText(const std::wstring& text) {
    const qv::ReleaseNumber release = qv::ParseReleaseText(text);
    if (text.find(L'-') == std::wstring::npos) QV_FUZZ_CHECK(SameRelease(release, {}));
    // A trailing line break is harmless.
    QV_FUZZ_CHECK(SameRelease(qv::ParseReleaseText(text + L"\r\n"), release));
    const qv::ReleaseNumber running = qv::ParseReleaseText(qv::ProductRelease);
    QV_FUZZ_CHECK(!qv::IsNewerRelease(release, release));
    QV_FUZZ_CHECK(!(qv::IsNewerRelease(release, running) && qv::IsNewerRelease(running, release)));
}

void CheckLoopbackSources(const std::wstring& list) {
    for (const std::wstring& source : qv::LoopbackUpdateSources(list)) {
        const std::wstring_view prefix = L"http://127.0.0.1:";
        QV_FUZZ_CHECK(source.rfind(prefix, 0) == 0 && qv::IsLoopbackSource(source));
        // After the address of this machine: a port and a plain path, nothing that could name
        // another host.
        for (wchar_t c : source.substr(prefix.size()))
            QV_FUZZ_CHECK((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') ||
                          (c >= L'A' && c <= L'Z') || c == L'/' || c == L'-' || c == L'_');
        // A kept source is kept again, alone.
        const auto again = qv::LoopbackUpdateSources(source);
        QV_FUZZ_CHECK(again.size() == 1 && again[0] == source);
    }
    // A value that names anything replaces the built-in sites by its loopback entries alone.
    if (!list.empty()) QV_FUZZ_CHECK(qv::UpdateSourcesFor(list) == qv::LoopbackUpdateSources(list));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (qv::IsReleaseFileBody(bytes))
        QV_FUZZ_CHECK(size <= qv::MaxReleaseFileBytes &&
                      bytes.find('\0') == std::string_view::npos);
    // The mark goes once, and only from the front.
    const std::string_view unmarked = qv::WithoutByteOrderMark(bytes);
    QV_FUZZ_CHECK(unmarked == bytes ||
                  (bytes.substr(0, 3) == "\xEF\xBB\xBF" && unmarked == bytes.substr(3)));
    qv::fuzz::FuzzInput input(data, size);
    CheckReleaseText(input.Text());
    CheckLoopbackSources(input.Text());
    return 0;
}
