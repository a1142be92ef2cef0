// The Fluent list: installations found or browsed, kept parallel to the list box that shows
// them, and the candidate folders discovery tries.
#pragma once

#include "discovery/list_box.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct FluentInstallation {
    std::wstring folder; // normalised
    std::wstring label;  // the list-box text
};

class FluentList {
  public:
    // Names the release folders of a Fluent folder as they are on disk.
    using ReleaseLister = std::function<std::vector<std::wstring>(std::wstring_view folder)>;

    FluentList(ListBox& box, ReleaseLister listReleases);

    // Appends one entry per supported release folder of a folder not listed yet (a listed one
    // is only selected, when select is set and it still holds releases). The first real entry
    // replaces the not-found entry.
    void AddFluentFolder(bool select, std::wstring_view folder);
    // The same with the release folders listed by another lister, such as one run's.
    void AddFluentFolder(bool select, std::wstring_view folder, const ReleaseLister& listReleases);
    // The folders as remembered: the selected one first, then every other in list order.
    std::wstring RememberedFluentPaths(int selected) const;

    const std::vector<FluentInstallation>& Entries() const { return entries_; }
    ListBox& Box() const { return box_; }

  private:
    ListBox& box_;
    ReleaseLister listReleases_;
    std::vector<FluentInstallation> entries_;
};

// The pieces of the remembered text, trailing ";" removed; empty pieces count.
std::vector<std::wstring> SplitRememberedFluentPaths(std::wstring_view remembered);

// The launcher's process environment: "" for an unset variable.
using EnvironmentLookup = std::function<std::wstring(const std::wstring& name)>;

// Every candidate folder in the order discovery tries them: the remembered folders, FLUENT_INC,
// then for each supported version the default folder on every drive C..Z and the folders the
// ANSYS variables of that version point at.
std::vector<std::wstring> FluentCandidateFolders(std::wstring_view remembered,
                                                 std::wstring_view fluentInc,
                                                 const EnvironmentLookup& environment);
// The same candidates handed to visit one by one, without a list: most of them lie on drives that
// do not exist. A candidate's text lasts only until its visit returns.
using CandidateVisitor = std::function<void(std::wstring_view candidate)>;
void VisitFluentCandidateFolders(std::wstring_view remembered, std::wstring_view fluentInc,
                                 const EnvironmentLookup& environment,
                                 const CandidateVisitor& visit);

} // namespace qv
