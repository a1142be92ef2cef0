#include "discovery/fluent_discovery.h"

#include "base/text.h"
#include "discovery/fluent_versions.h"
#include "discovery/path_text.h"
#include "texts/discovery_texts.h"

namespace qv {

FluentList::FluentList(ListBox& box, ReleaseLister listReleases)
    : box_(box), listReleases_(std::move(listReleases)) {}

void FluentList::AddFluentFolder(bool select, std::wstring_view folder) {
    AddFluentFolder(select, folder, listReleases_);
}

void FluentList::AddFluentFolder(bool select, std::wstring_view rawFolder,
                                 const ReleaseLister& listReleases) {
    const std::wstring folder = NormaliseFolderPath(rawFolder);
    const std::vector<std::wstring> releases = listReleases(folder);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!EqualsNoCase(entries_[i].folder, folder)) continue;
        if (!releases.empty() && select) box_.Select(static_cast<int>(i));
        return;
    }
    for (const std::wstring& release : releases) {
        if (!IsSupportedFluentVersion(ReleaseVersion(release))) continue;
        if (box_.Count() == 1 && box_.Text(0) == Pick(placeholders::FluentNotFound)) box_.Delete(0);
        const std::wstring label = ReleaseLabel(release);
        box_.Append(label);
        entries_.push_back({folder, label});
        if (select) box_.Select(box_.Count() - 1);
    }
}

std::wstring FluentList::RememberedFluentPaths(int selected) const {
    std::wstring text = selected >= 0 && selected < static_cast<int>(entries_.size())
                            ? entries_[selected].folder
                            : L"";
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (static_cast<int>(i) != selected) text += L";" + entries_[i].folder;
    return text;
}

std::vector<std::wstring> SplitRememberedFluentPaths(std::wstring_view remembered) {
    std::wstring text = TrimTrailing(remembered, L";");
    std::vector<std::wstring> pieces;
    while (!text.empty()) {
        const std::size_t semicolon = text.find(L';');
        if (semicolon == std::wstring::npos) {
            pieces.push_back(text);
            break;
        }
        pieces.push_back(text.substr(0, semicolon));
        text.erase(0, semicolon + 1);
    }
    return pieces;
}

std::vector<std::wstring> FluentCandidateFolders(std::wstring_view remembered,
                                                 std::wstring_view fluentInc,
                                                 const EnvironmentLookup& environment) {
    std::vector<std::wstring> candidates;
    VisitFluentCandidateFolders(
        remembered, fluentInc, environment,
        [&](std::wstring_view candidate) { candidates.emplace_back(candidate); });
    return candidates;
}

void VisitFluentCandidateFolders(std::wstring_view remembered, std::wstring_view fluentInc,
                                 const EnvironmentLookup& environment,
                                 const CandidateVisitor& visit) {
    for (const std::wstring& folder : SplitRememberedFluentPaths(remembered))
        visit(folder);
    visit(fluentInc);
    const std::wstring licenseRoot = StripPathLevels(environment(L"ANSYSLIC_DIR"), 2);
    // One name and one candidate text, reused: the candidates are a thousand.
    std::wstring name, candidate;
    const auto variable = [&](const wchar_t* prefix, std::wstring_view compact,
                              const wchar_t* suffix) {
        return environment(name.assign(prefix).append(compact).append(suffix));
    };
    const auto visitFluentBelow = [&](std::wstring_view folder) {
        visit(candidate.assign(folder).append(L"\\fluent"));
    };
    for (const FluentVersionRow& row : FluentVersionTable) {
        const std::wstring_view compact = row.compactVersion; // "193", as in v193
        // The default folder on each drive: the drive letter changed in place.
        candidate.assign(L"C:\\Program Files\\ANSYS Inc\\v").append(compact).append(L"\\fluent");
        for (wchar_t drive = L'C'; drive <= L'Z'; ++drive) {
            candidate[0] = drive;
            visit(candidate);
        }
        visitFluentBelow(StripPathLevels(variable(L"CADOE_LIBDIR", compact, L""), 3));
        visitFluentBelow(StripPathLevels(variable(L"ANSYS", compact, L"_DIR"), 1));
        visit(candidate.assign(licenseRoot).append(L"\\v").append(compact).append(L"\\fluent"));
        visitFluentBelow(TrimTrailingSeparators(variable(L"AWP_ROOT", compact, L"")));
    }
}

} // namespace qv
