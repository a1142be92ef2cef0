#include "launch/couplings/library_patch.h"

#include "base/text.h"

#include <string_view>

namespace qv {

namespace {

// The names are plain ASCII, the same bytes in every ANSI code page.
Bytes NameBytes(std::string_view name) {
    return Bytes(name.begin(), name.end());
}

// The release folder's name after "fluent", e.g. 19.3.0 for fluent19.3.0.
std::wstring_view ReleaseTail(std::wstring_view releaseName) {
    constexpr std::wstring_view prefix = L"fluent";
    if (releaseName.size() >= prefix.size() &&
        EqualsNoCase(releaseName.substr(0, prefix.size()), prefix))
        releaseName.remove_prefix(prefix.size());
    return releaseName;
}

} // namespace

std::vector<LibraryPatchPair> LibraryPatchPairs(std::wstring_view matlabRoot,
                                                std::wstring_view arch,
                                                std::wstring_view fluentFolder,
                                                std::wstring_view releaseName) {
    const std::wstring matlabBin = std::wstring(matlabRoot) + L"\\bin\\" + std::wstring(arch);
    const std::wstring fluentBin = std::wstring(fluentFolder) + L"\\ntbin\\win64";
    const std::wstring fluentHdf5 = std::wstring(fluentFolder) + L"\\fluent" +
                                    std::wstring(ReleaseTail(releaseName)) +
                                    L"\\addons\\afd\\win64\\hdf5.dll";
    return {
        {PatchSide::Matlab, fluentHdf5, matlabBin + L"\\hdf5.dll", matlabBin + L"\\hdf5.dll",
         matlabBin + L"\\hdf_.dll", matlabBin + L"\\libmat.dll", NameBytes("hdf5.dll"),
         NameBytes("hdf_.dll")},
        {PatchSide::Fluent, fluentBin + L"\\xerces-c_3_2.dll", matlabBin + L"\\xerces-c_3_2.dll",
         fluentBin + L"\\xerces-c_3_2.dll", fluentBin + L"\\xerces_c_3_2.dll",
         fluentBin + L"\\libansysfluidscffinterface.dll", NameBytes("xerces-c_3_2.dll"),
         NameBytes("xerces_c_3_2.dll")},
    };
}

} // namespace qv
