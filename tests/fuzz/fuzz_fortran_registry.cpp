// What the Intel Fortran check reads from outside: subkey names of the Fortran key, the tools
// folder and INTEL_DEV_REDIST.
#include "fuzz_input.h"
#include "launch/couplings/fortran_compatibility.h"
#include "launch/couplings/fortran_compilers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::wstring name = input.Text();
    // A recognised name is exactly the name of that build, so reading the key's names finds
    // what trying every build's key finds.
    if (const auto build = qv::ParseFortranBuildKeyName(name)) {
        QV_FUZZ_CHECK(qv::FortranBuildKeyName(*build) == name);
        QV_FUZZ_CHECK(build->version.major >= qv::FortranFirstMajor &&
                      build->version.major <= qv::FortranLastMajor);
        QV_FUZZ_CHECK(build->version.minor == 0 || build->version.minor == 1);
        QV_FUZZ_CHECK(build->build >= 0 && build->build <= qv::FortranLastBuild);
    }

    const std::wstring year = input.Text();
    const std::wstring tools = input.Text();
    const std::optional<std::wstring> redist =
        (flags & 1) ? std::optional<std::wstring>(input.Text()) : std::nullopt;
    const auto files = qv::FortranIntegrationFiles(year, tools, redist);
    const std::wstring tail = L"\\Intel Fortran\\VFPackages\\VFProj.dll";
    for (const std::wstring& file : files)
        QV_FUZZ_CHECK(file.size() >= tail.size() &&
                      file.compare(file.size() - tail.size(), tail.size(), tail) == 0);

    qv::FortranCompilerTable table{};
    for (auto& entry : table) {
        const std::uint8_t bits = input.Byte();
        entry.found32 = bits & 1;
        entry.found64 = bits & 2;
        entry.integrated32.fill(bits & 4);
        entry.integrated64.fill(bits & 8);
    }
    qv::FortranCompilerFits(table, year, flags & 2);
    return 0;
}
