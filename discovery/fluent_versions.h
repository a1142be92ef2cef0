// Fluent release folders and their versions, as text: which release folder names give which
// version, which versions the launcher supports and how a release is labelled in the lists.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct FluentVersionRow {
    const wchar_t* versionText;    // "19.3"
    const wchar_t* compactVersion; // "193": the form in ANSYS folder and variable names (v193)
};

// Every supported version, oldest first. Discovery walks it in this order and labels count
// from the row of 19.3.
inline constexpr std::array<FluentVersionRow, 34> FluentVersionTable{{
    {L"6.3", L"63"},   {L"12.0", L"120"}, {L"12.1", L"121"}, {L"13.0", L"130"}, {L"14.0", L"140"},
    {L"14.5", L"145"}, {L"15.0", L"150"}, {L"16.0", L"160"}, {L"16.1", L"161"}, {L"16.2", L"162"},
    {L"17.0", L"170"}, {L"17.1", L"171"}, {L"17.2", L"172"}, {L"18.0", L"180"}, {L"18.1", L"181"},
    {L"18.2", L"182"}, {L"19.0", L"190"}, {L"19.1", L"191"}, {L"19.2", L"192"}, {L"19.3", L"193"},
    {L"19.4", L"194"}, {L"19.5", L"195"}, {L"20.1", L"201"}, {L"20.2", L"202"}, {L"21.1", L"211"},
    {L"21.2", L"212"}, {L"22.1", L"221"}, {L"22.2", L"222"}, {L"23.1", L"231"}, {L"23.2", L"232"},
    {L"24.1", L"241"}, {L"24.2", L"242"}, {L"25.1", L"251"}, {L"25.2", L"252"},
}};

// Labels of the releases from 19.3 on, one per table row from that row to the last. Older
// releases are labelled by their full version instead.
inline constexpr std::array<const wchar_t*, 15> FluentReleaseLabels{
    L"2019 R1", L"2019 R2", L"2019 R3", L"2020 R1", L"2020 R2", L"2021 R1", L"2021 R2", L"2022 R1",
    L"2022 R2", L"2023 R1", L"2023 R2", L"2024 R1", L"2024 R2", L"2025 R1", L"2025 R2",
};

// Trimmed, without trailing separators, with every "/" turned into "\".
std::wstring NormaliseFolderPath(std::wstring_view path);
// Whether normalising would leave the path as it is; asked without making a copy.
bool IsNormalisedFolderPath(std::wstring_view path);

// A name of the pattern "fluent*.*.*": "fluent" in any case, then at least two more ".".
// Checked by hand because the platform's matching lets "*.*" match names without a dot.
bool IsReleaseFolderName(std::wstring_view name);

// "fluent19.3.0" gives "19.3": every "fluent" removed (case matters), cut before the last ".";
// "" when no "." is left.
std::wstring ReleaseVersion(std::wstring_view releaseName);
// The leading decimal number of a version text (19.3 from "19.3"), 0 without one.
double FluentVersionNumber(std::wstring_view versionText);
bool IsSupportedFluentVersion(std::wstring_view versionText);
// "2019 R1" for fluent19.3.0, "19.2.0" for fluent19.2.0.
std::wstring ReleaseLabel(std::wstring_view releaseName);

enum class FluentFolderStatus { Resolved, NotExactlyOne, UnsupportedVersion };

struct FluentFolderResolution {
    FluentFolderStatus status = FluentFolderStatus::NotExactlyOne;
    std::wstring folder;      // normalised; the text of the NotExactlyOne message
    std::wstring releaseName; // the rest are set when a single release was found
    std::wstring versionText; // also the text of the UnsupportedVersion message
    double versionNumber = 0;
    std::wstring executable;
};

// The judgement on a listed Fluent folder: launchable only with exactly one release folder and
// exactly one executable, of a supported version.
FluentFolderResolution ResolveListedFluentFolder(std::wstring_view normalisedFolder,
                                                 const std::vector<std::wstring>& releaseFolders,
                                                 const std::vector<std::wstring>& executables);

} // namespace qv
