// Paths from the registry, the environment, the remembered settings and the folder picker:
// normalising, stripping levels and splitting.
#include "base/terminated_text.h"
#include "base/text.h"
#include "discovery/fluent_versions.h"
#include "discovery/path_text.h"
#include "fuzz_input.h"

#include <algorithm>

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsPrefix(const std::wstring& part, const std::wstring& whole) {
    return whole.compare(0, part.size(), part) == 0;
}

void CheckNormalise(const std::wstring& path) {
    const std::wstring normalised = qv::NormaliseFolderPath(path);
    // Folders are compared in this form, so it must be a fixed point: no surrounding white
    // space, no trailing separator, no "/".
    QV_FUZZ_CHECK(qv::NormaliseFolderPath(normalised) == normalised);
    QV_FUZZ_CHECK(normalised.find(L'/') == std::wstring::npos);
    QV_FUZZ_CHECK(normalised.empty() || !IsSeparator(normalised.back()));
    QV_FUZZ_CHECK(qv::Trim(normalised) == normalised);
    // Discovery skips the copy for a path that says it is normalised.
    QV_FUZZ_CHECK(qv::IsNormalisedFolderPath(path) == (normalised == path));
    QV_FUZZ_CHECK(qv::IsNormalisedFolderPath(normalised));

    const std::wstring trimmed = qv::TrimTrailingSeparators(path);
    QV_FUZZ_CHECK(IsPrefix(trimmed, path));
    QV_FUZZ_CHECK(trimmed.empty() || !IsSeparator(trimmed.back()));
}

void CheckStrip(const std::wstring& path, int levels) {
    // Each level only cuts: the path never grows, and a level more gives a prefix of it.
    const std::wstring stripped = qv::StripPathLevels(path, levels);
    QV_FUZZ_CHECK(stripped.size() <= path.size());
    QV_FUZZ_CHECK(IsPrefix(qv::StripPathLevels(path, levels + 1), stripped));
    const std::wstring whole = qv::StripPathLevels(path, 0);
    QV_FUZZ_CHECK(whole.find(L'/') == std::wstring::npos);
    QV_FUZZ_CHECK(whole.empty() || !IsSeparator(whole.back()));
    if (levels < 0) QV_FUZZ_CHECK(stripped == whole);
}

void CheckSplit(const std::wstring& path) {
    const std::optional<qv::PathParts> parts = qv::SplitPath(path);
    if (!parts) return;
    // The parts are the path cut in four, nothing lost or added.
    QV_FUZZ_CHECK(parts->drive + parts->folder + parts->name + parts->extension == path);
    QV_FUZZ_CHECK(parts->extension.empty() || parts->extension[0] == L'.');
    QV_FUZZ_CHECK(parts->name.find_first_of(L"\\/") == std::wstring::npos);
}

void CheckEnclosing(const std::wstring& path, const std::wstring& other) {
    // Each enclosing folder is the path cut just before one of its separators, outermost first.
    const std::vector<std::wstring> enclosing = qv::EnclosingFolders(path);
    // An enclosing folder of another path is told to enclose this one exactly when it is among
    // this one's.
    for (const std::wstring& folder : enclosing)
        QV_FUZZ_CHECK(qv::LiesInEnclosingFolder(path, folder));
    for (const std::wstring& folder : qv::EnclosingFolders(other))
        QV_FUZZ_CHECK(qv::LiesInEnclosingFolder(path, folder) ==
                      (std::find(enclosing.begin(), enclosing.end(), folder) != enclosing.end()));
    std::size_t previous = 2;
    for (const std::wstring& folder : enclosing) {
        QV_FUZZ_CHECK(folder.size() > previous && folder.size() < path.size());
        QV_FUZZ_CHECK(IsPrefix(folder, path) && path[folder.size()] == L'\\');
        previous = folder.size();
    }
}

// The text handed to the system is the parts joined, cut at the first NUL as the system reads
// it, whether it fits the stack or not.
void CheckTerminated(const std::wstring& path, const std::wstring& other) {
    const std::wstring joined = path + L"\\" + other;
    const qv::TerminatedText terminated({path, L"\\", other});
    QV_FUZZ_CHECK(terminated.c_str() == joined.substr(0, joined.find(L'\0')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const int levels = static_cast<std::int8_t>(input.Byte());
    const std::wstring path = input.Text();
    const std::wstring other = input.Text();
    CheckNormalise(path);
    CheckStrip(path, levels);
    CheckSplit(path);
    CheckEnclosing(path, other);
    CheckTerminated(path, other);
    return 0;
}
