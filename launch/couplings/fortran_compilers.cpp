#include "launch/couplings/fortran_compilers.h"

namespace qv {

namespace {

int Digit(wchar_t c) {
    return c >= L'0' && c <= L'9' ? c - L'0' : -1;
}

} // namespace

std::optional<int> IntegrationSlotOf(std::wstring_view visualStudioYear) {
    for (int slot = 0; slot < IntegrationSlotCount; ++slot)
        if (visualStudioYear == IntegrationSlots[static_cast<std::size_t>(slot)].visualStudioYear)
            return slot;
    return std::nullopt;
}

bool FortranCompilerFlags::operator==(const FortranCompilerFlags& other) const {
    return found32 == other.found32 && found64 == other.found64 &&
           integrated32 == other.integrated32 && integrated64 == other.integrated64;
}

std::wstring FortranBuildKeyName(const FortranBuild& build) {
    std::wstring digits = std::to_wstring(build.build);
    digits.insert(0, digits.size() < 3 ? 3 - digits.size() : 0, L'0');
    return std::to_wstring(build.version.major) + std::to_wstring(build.version.minor) + L"." +
           digits;
}

std::wstring FortranBuildKeyPath(const FortranBuild& build) {
    return std::wstring(FortranCompilersKeyPath) + L"\\" + FortranBuildKeyName(build);
}

std::optional<FortranBuild> ParseFortranBuildKeyName(std::wstring_view name) {
    // "MMm.bbb": every known name has exactly this shape.
    if (name.size() != 7 || name[3] != L'.') return std::nullopt;
    int d[7] = {};
    for (std::size_t i = 0; i < name.size(); ++i)
        if (i != 3 && (d[i] = Digit(name[i])) < 0) return std::nullopt;
    const FortranBuild build{{d[0] * 10 + d[1], d[2]}, d[4] * 100 + d[5] * 10 + d[6]};
    if (build.version.major < FortranFirstMajor || build.version.major > FortranLastMajor ||
        build.version.minor > 1 || build.build > FortranLastBuild)
        return std::nullopt;
    return build;
}

std::vector<FortranBuild> AllFortranBuilds() {
    std::vector<FortranBuild> builds;
    builds.reserve(static_cast<std::size_t>(FortranVersionCount) * (FortranLastBuild + 1));
    for (int major = FortranFirstMajor; major <= FortranLastMajor; ++major)
        for (int minor = 0; minor <= 1; ++minor)
            for (int build = 0; build <= FortranLastBuild; ++build)
                builds.push_back({{major, minor}, build});
    return builds;
}

} // namespace qv
