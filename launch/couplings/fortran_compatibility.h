// Which Intel Fortran compilers fit which Visual Studio, and where each Visual Studio keeps the
// files that show Intel Fortran's project templates are integrated into it.
#pragma once

#include "launch/couplings/fortran_compilers.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A Visual Studio version accepts a present compiler of the versions first to last; those up to
// integratedUpTo count only when they recorded an integration for this very Visual Studio.
struct FortranRule {
    const wchar_t* visualStudioYear;
    FortranVersion first, last;
    std::optional<FortranVersion> integratedUpTo;
};
inline constexpr std::array<FortranRule, 6> FortranRules{{
    {L"2010", {12, 0}, {16, 1}, std::nullopt},
    {L"2012", {13, 0}, {17, 1}, std::nullopt},
    {L"2013", {14, 0}, {19, 0}, FortranVersion{14, 1}},
    {L"2015", {15, 0}, {19, 0}, FortranVersion{15, 1}},
    {L"2017", {17, 0}, {19, 1}, FortranVersion{17, 1}},
    {L"2019", {19, 0}, {19, 1}, FortranVersion{19, 0}},
}};

// True when a compiler of the given target bitness fits the Visual Studio version; a version
// without a rule passes unchecked.
bool FortranCompilerFits(const FortranCompilerTable& table, std::wstring_view visualStudioYear,
                         bool is64Bit);

// The files of which one must exist for the templates to count as integrated; empty for a year
// that has no such check. toolsFolder: the Visual Studio's tools folder (2010 to 2015);
// intelDevRedist: INTEL_DEV_REDIST when it is set (2017, 2019), else every drive C: to Z: is
// tried in its default place.
std::vector<std::wstring>
FortranIntegrationFiles(std::wstring_view visualStudioYear, std::wstring_view toolsFolder,
                        const std::optional<std::wstring>& intelDevRedist);

} // namespace qv
