// Fluent and MATLAB each bring a library named "hdf5.dll" and one named "xerces-c_3_2.dll". For
// both to live in one Fluent process, one side's copy of each gets a second name and the library
// that loads it is made to load that name instead. These are the two pairs of files involved.
#pragma once

#include "launch/couplings/byte_replace.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class PatchSide { Matlab, Fluent }; // whose library is rewritten

struct LibraryPatchPair {
    PatchSide side;
    std::wstring fluentLibrary; // both must exist for the pair to matter
    std::wstring matlabLibrary;
    std::wstring copySource; // copied to copyTarget under the second name
    std::wstring copyTarget;
    std::wstring rewritten; // the library whose reference to the name changes
    Bytes from, to;         // the old and new names, of equal length
};

// Pair 1 gives MATLAB's hdf5.dll the name hdf_.dll in libmat.dll; pair 2 gives Fluent's
// xerces-c_3_2.dll the name xerces_c_3_2.dll in libansysfluidscffinterface.dll. arch is MATLAB's
// folder for Fluent's bitness; Fluent's own libraries are always those of win64.
std::vector<LibraryPatchPair> LibraryPatchPairs(std::wstring_view matlabRoot,
                                                std::wstring_view arch,
                                                std::wstring_view fluentFolder,
                                                std::wstring_view releaseName);

} // namespace qv
