// The Intel Fortran compilers registered on this machine (32-bit view of the registry).
#pragma once

#include "launch/couplings/fortran_compilers.h"

#include <vector>

namespace qv {

// The flags the given builds' keys record; a missing key, value or file leaves a flag false.
FortranCompilerTable ReadFortranCompilers(const std::vector<FortranBuild>& builds);

// The builds whose keys exist: the Fortran key's subkeys that name a known build. Reading the
// key once costs a fraction of trying every possible build's key, with the same table.
std::vector<FortranBuild> RegisteredFortranBuilds();

FortranCompilerTable FindIntelFortranCompilers();

} // namespace qv
