// Intel Fortran compilers as their installers record them in the registry: the versions the
// launcher knows (12.0 to 19.1), the Visual Studio versions they record an integration for, and
// the table of what one look at the registry found.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct FortranVersion {
    int major = 0; // 12 to 19
    int minor = 0; // 0 or 1
};
inline constexpr int FortranFirstMajor = 12;
inline constexpr int FortranLastMajor = 19;
inline constexpr int FortranLastBuild = 400;
inline constexpr int FortranVersionCount = (FortranLastMajor - FortranFirstMajor + 1) * 2;

// 12.0 is 0, 12.1 is 1, ... 19.1 is 15.
constexpr int FortranVersionIndex(FortranVersion version) {
    return (version.major - FortranFirstMajor) * 2 + version.minor;
}

// The Visual Studio versions an integration is recorded for, in slot order, each with the
// subkey that records it.
struct IntegrationSlot {
    const wchar_t* visualStudioYear;
    const wchar_t* subkey;
};
inline constexpr std::array<IntegrationSlot, 6> IntegrationSlots{{{L"2010", L"VSNet2010"},
                                                                  {L"2012", L"VSNet2012"},
                                                                  {L"2013", L"VSNet2013"},
                                                                  {L"2015", L"VSNet14"},
                                                                  {L"2017", L"VSNet15"},
                                                                  {L"2019", L"VSNet16"}}};
inline constexpr int IntegrationSlotCount = static_cast<int>(IntegrationSlots.size());
// The slot of a Visual Studio year, or nothing for another text.
std::optional<int> IntegrationSlotOf(std::wstring_view visualStudioYear);

// What one version has installed, for 32-bit (IA32) and 64-bit (EM64T_NATIVE) targets.
// Several builds of a version add to the same flags.
struct FortranCompilerFlags {
    bool found32 = false;
    bool found64 = false;
    std::array<bool, IntegrationSlots.size()> integrated32{};
    std::array<bool, IntegrationSlots.size()> integrated64{};
    bool operator==(const FortranCompilerFlags& other) const;
    bool operator!=(const FortranCompilerFlags& other) const { return !(*this == other); }
};
using FortranCompilerTable = std::array<FortranCompilerFlags, FortranVersionCount>;

// One registered build: its key is "Software\\Intel\\Compilers\\Fortran\\<major><minor>.<build>"
// with the build in three digits, e.g. 190.166 for 19.0 build 166.
struct FortranBuild {
    FortranVersion version;
    int build = 0; // 0 to 400
};
inline constexpr wchar_t FortranCompilersKeyPath[] = L"Software\\Intel\\Compilers\\Fortran";
std::wstring FortranBuildKeyName(const FortranBuild& build);
std::wstring FortranBuildKeyPath(const FortranBuild& build);
// The build a subkey name stands for, when it is exactly the name of a known version's build
// (FortranBuildKeyName gives the name back); nothing for any other name.
std::optional<FortranBuild> ParseFortranBuildKeyName(std::wstring_view name);
// Every build of every known version, major, minor and build ascending: 16 x 401 of them.
std::vector<FortranBuild> AllFortranBuilds();

} // namespace qv
