// What the add-on's product folder must hold for the chosen Windows, Fluent version and
// Visual Studio.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The add-on library the Fluent module loads: one for 32-bit Windows, and on 64-bit Windows
// one per range of Fluent versions.
const wchar_t* RequiredHubLibrary(bool windows64, double version);

struct ProductFolderItem {
    std::wstring path;
    bool isFolder = false;
};

// In the order they are checked: Quorvex.dll for Visual Studio 2010 only, the hub library,
// the UDF header of this Fluent version, the addon folder.
std::vector<ProductFolderItem> RequiredProductItems(std::wstring_view productFolder,
                                                    std::wstring_view visualStudioYear,
                                                    std::wstring_view fluentVersionText,
                                                    bool windows64);

} // namespace qv
