#include "launch/couplings/fortran_compilers_win.h"

#include "base/files_win.h"
#include "base/registry_win.h"
#include "base/text.h"

#include <string>

namespace qv {

namespace {

std::wstring ReadMachineString(const std::wstring& keyPath, const wchar_t* valueName) {
    return ReadRegistryString(HKEY_LOCAL_MACHINE, keyPath, valueName, ReadView32);
}

struct TargetLayout {
    const wchar_t* subkey;    // below the build's key
    const wchar_t* libFolder; // below the product folder's compiler\lib
};
constexpr TargetLayout Target32{L"IA32", L"ia32"};
constexpr TargetLayout Target64{L"EM64T_NATIVE", L"intel64"};

bool HasCompiler(const std::wstring& key, const std::wstring& productDir,
                 const TargetLayout& target) {
    return !ReadMachineString(key + L"\\" + target.subkey, L"CompilerInfo").empty() &&
           FileExists(productDir + L"\\compiler\\lib\\" + target.libFolder + L"\\ifconsol.lib");
}

void ReadIntegrations(const std::wstring& key, const TargetLayout& target,
                      std::array<bool, IntegrationSlots.size()>& integrated) {
    for (std::size_t slot = 0; slot < IntegrationSlots.size(); ++slot) {
        const std::wstring slotKey =
            key + L"\\" + target.subkey + L"\\" + IntegrationSlots[slot].subkey;
        if (!ReadMachineString(slotKey, L"LibDir").empty()) integrated[slot] = true;
    }
}

} // namespace

FortranCompilerTable ReadFortranCompilers(const std::vector<FortranBuild>& builds) {
    FortranCompilerTable table{};
    for (const FortranBuild& build : builds) {
        const std::wstring key = FortranBuildKeyPath(build);
        const std::wstring productDir = TrimTrailing(ReadMachineString(key, L"ProductDir"), L"/\\");
        if (productDir.empty()) continue;
        FortranCompilerFlags& flags =
            table[static_cast<std::size_t>(FortranVersionIndex(build.version))];
        if (HasCompiler(key, productDir, Target32)) flags.found32 = true;
        ReadIntegrations(key, Target32, flags.integrated32);
        if (HasCompiler(key, productDir, Target64)) flags.found64 = true;
        ReadIntegrations(key, Target64, flags.integrated64);
    }
    return table;
}

std::vector<FortranBuild> RegisteredFortranBuilds() {
    std::vector<FortranBuild> builds;
    // Room for any key name (255 characters), so that no name is skipped unseen.
    for (const std::wstring& name :
         RegistrySubkeyNames(HKEY_LOCAL_MACHINE, FortranCompilersKeyPath, ReadView32, 256))
        if (const auto build = ParseFortranBuildKeyName(name)) builds.push_back(*build);
    return builds;
}

FortranCompilerTable FindIntelFortranCompilers() {
    return ReadFortranCompilers(RegisteredFortranBuilds());
}

} // namespace qv
