// The MATLAB coupling's texts made from outside data: the MATLAB root from the registry, PATH as
// inherited, the Fluent folder and its release folder's name.
#include "fuzz_input.h"
#include "launch/couplings/library_patch.h"
#include "launch/couplings/matlab_launch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::wstring root = input.Text();
    const std::wstring arch = qv::MatlabArch(flags & 1);
    const std::optional<std::wstring> path =
        (flags & 2) ? std::optional<std::wstring>(input.Text()) : std::nullopt;
    const std::wstring searchPath = qv::MatlabSearchPath(root, arch, path);
    // MATLAB's three folders come first, the old value (without its trailing separators) last.
    const std::wstring front =
        root + L"\\runtime\\" + arch + L";" + root + L"\\bin;" + root + L"\\bin\\" + arch;
    QV_FUZZ_CHECK(searchPath.compare(0, front.size(), front) == 0);
    QV_FUZZ_CHECK(!path || searchPath.size() <= front.size() + 1 + path->size());

    const std::wstring fluent = input.Text();
    const std::wstring release = input.Text();
    for (const qv::LibraryPatchPair& pair : qv::LibraryPatchPairs(root, arch, fluent, release)) {
        QV_FUZZ_CHECK(pair.from.size() == pair.to.size());
        QV_FUZZ_CHECK(pair.rewritten.compare(0, root.size(), root) == 0 ||
                      pair.rewritten.compare(0, fluent.size(), fluent) == 0);
    }
    return 0;
}
