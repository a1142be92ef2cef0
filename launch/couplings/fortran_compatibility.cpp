#include "launch/couplings/fortran_compatibility.h"

#include "discovery/path_text.h"

namespace qv {

namespace {

bool Found(const FortranCompilerFlags& flags, bool is64Bit) {
    return is64Bit ? flags.found64 : flags.found32;
}

bool Integrated(const FortranCompilerFlags& flags, bool is64Bit, int slot) {
    const auto& integrated = is64Bit ? flags.integrated64 : flags.integrated32;
    return integrated[static_cast<std::size_t>(slot)];
}

bool Accepts(const FortranRule& rule, const FortranCompilerTable& table, bool is64Bit) {
    const int slot = *IntegrationSlotOf(rule.visualStudioYear);
    for (int index = FortranVersionIndex(rule.first); index <= FortranVersionIndex(rule.last);
         ++index) {
        const FortranCompilerFlags& flags = table[static_cast<std::size_t>(index)];
        const bool needsIntegration =
            rule.integratedUpTo && index <= FortranVersionIndex(*rule.integratedUpTo);
        if (Found(flags, is64Bit) && (!needsIntegration || Integrated(flags, is64Bit, slot)))
            return true;
    }
    return false;
}

// Visual Studio 2017 and 2019 keep the integration in Intel's shared files, by their own
// version number.
const wchar_t* SharedIntegrationNumber(std::wstring_view visualStudioYear) {
    if (visualStudioYear == L"2017") return L"15";
    if (visualStudioYear == L"2019") return L"16";
    return nullptr;
}

} // namespace

bool FortranCompilerFits(const FortranCompilerTable& table, std::wstring_view visualStudioYear,
                         bool is64Bit) {
    for (const FortranRule& rule : FortranRules)
        if (visualStudioYear == rule.visualStudioYear) return Accepts(rule, table, is64Bit);
    return true;
}

std::vector<std::wstring>
FortranIntegrationFiles(std::wstring_view visualStudioYear, std::wstring_view toolsFolder,
                        const std::optional<std::wstring>& intelDevRedist) {
    if (visualStudioYear == L"2010" || visualStudioYear == L"2012" || visualStudioYear == L"2013" ||
        visualStudioYear == L"2015")
        return {StripPathLevels(toolsFolder, 2) + L"\\Intel Fortran\\VFPackages\\VFProj.dll"};
    const wchar_t* number = SharedIntegrationNumber(visualStudioYear);
    if (!number) return {};
    std::vector<std::wstring> bases;
    if (intelDevRedist) {
        bases.push_back(*intelDevRedist);
    } else {
        for (wchar_t drive = L'C'; drive <= L'Z'; ++drive)
            bases.push_back(std::wstring(1, drive) +
                            L":\\Program Files (x86)\\Common Files\\Intel\\Shared Libraries\\");
    }
    std::vector<std::wstring> files;
    for (const std::wstring& base : bases)
        files.push_back(StripPathLevels(base, 1) + L"\\shared files\\VS Integration\\VS" + number +
                        L"\\Intel Fortran\\VFPackages\\VFProj.dll");
    return files;
}

} // namespace qv
