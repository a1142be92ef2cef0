// Finds MATLAB installations registered by MathWorks' installer (64-bit registry view).
#pragma once

#include "discovery/matlab.h"

#include <string>
#include <vector>

namespace qv {

// Accepts a release found for a root: appends it when it lies in 2014..2021.
bool AcceptMatlabRelease(std::vector<MatlabInstallation>& list, std::wstring_view text,
                         const std::wstring& root);

// Appends every accepted installation found under one MathWorks key.
void ScanMatlabKey(std::vector<MatlabInstallation>& list, const std::wstring& keyPath,
                   const std::wstring& rootValueName);

// MATLAB's key first, then Polyspace's; a root registered under both is listed twice.
std::vector<MatlabInstallation> FindMatlabInstallations();

} // namespace qv
