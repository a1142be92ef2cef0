// Times the Intel Fortran discovery at OK both ways on the same registry: trying all 6,416
// possible build keys one by one, and reading the Fortran key's subkeys once and trying only the
// builds that exist. Checks that both give the same table. Run under Wine by
// tools/bench-couplings.sh; prints medians in milliseconds and their ratio.
#include "bench/median_time.h"
#include "base/registry_win.h"
#include "launch/couplings/fortran_compilers.h"
#include "launch/couplings/fortran_compilers_win.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/registry_edit_win.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace qv {
namespace {

const std::wstring Products = L"C:\\qv-bench-fortran";

bool Text(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return test::WriteRegistryText(HKEY_LOCAL_MACHINE, key, name, value, KEY_WOW64_32KEY);
}

// A build with compilers for both targets and records for the given integration slots.
bool Register(const FortranBuild& build, std::size_t slots) {
    const std::wstring key = FortranBuildKeyPath(build);
    const std::wstring dir = Products + L"\\" + FortranBuildKeyName(build);
    bool made = Text(key, L"ProductDir", dir);
    for (const auto& [target, lib] :
         {std::pair{L"IA32", L"ia32"}, std::pair{L"EM64T_NATIVE", L"intel64"}}) {
        made = made && Text(key + L"\\" + target, L"CompilerInfo", L"Intel(R) Visual Fortran") &&
               test::WriteFileBytes(dir + L"\\compiler\\lib\\" + lib + L"\\ifconsol.lib", "lib");
        for (std::size_t slot = 0; slot < slots; ++slot)
            made = made && Text(key + L"\\" + target + L"\\" + IntegrationSlots[slot].subkey,
                                L"LibDir", L"lib");
    }
    return made;
}

bool Report(const char* scenario, int runs) {
    const FortranCompilerTable probed = ReadFortranCompilers(AllFortranBuilds());
    const bool same = FindIntelFortranCompilers() == probed;
    const double probe = MedianMilliseconds([] { ReadFortranCompilers(AllFortranBuilds()); }, runs);
    const double enumerate = MedianMilliseconds([] { FindIntelFortranCompilers(); }, runs);
    std::printf("%-22s 6,416 key opens %9.2f ms   subkeys read once %7.2f ms   ratio %6.1f   "
                "tables %s\n",
                scenario, probe, enumerate, probe / enumerate, same ? "identical" : "DIFFER");
    return same;
}

} // namespace
} // namespace qv

int main(int argc, char** argv) {
    using namespace qv;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    bool same = test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"Software\\Intel", KEY_WOW64_32KEY);
    same = Report("no Intel key", runs) && same;
    // A typical machine: three compilers, integrated into Visual Studio 2017 and 2019.
    bool made =
        Register({{18, 0}, 88}, 5) && Register({{19, 0}, 166}, 6) && Register({{19, 1}, 127}, 6);
    same = made && Report("three compilers", runs) && same;
    // Every version with four builds.
    for (int major = FortranFirstMajor; major <= FortranLastMajor; ++major)
        for (int minor = 0; minor <= 1; ++minor)
            for (int build : {0, 100, 250, 400})
                made = Register({{major, minor}, build}, 6) && made;
    same = made && Report("64 builds", runs) && same;
    const bool cleaned =
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, L"Software\\Intel", KEY_WOW64_32KEY) &&
        test::RemoveTree(Products);
    if (!made || !cleaned) std::fprintf(stderr, "cannot lay out or remove the registrations\n");
    return same && made && cleaned ? 0 : 1;
}
