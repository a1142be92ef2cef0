#include "launch/requirements/product_folder.h"

#include "base/text.h"
#include "launch/record/fluent_releases.h"

namespace qv {

const wchar_t* RequiredHubLibrary(bool windows64, double version) {
    if (!windows64) return L"HubX86.dll";
    if (version < Fluent17) return L"HubX64.dll";
    if (version < Fluent19_2) return L"HubQ4.dll";
    if (version < Fluent2024R2) return L"HubQ5.dll";
    return L"HubQ5n.dll";
}

std::vector<ProductFolderItem> RequiredProductItems(std::wstring_view productFolder,
                                                    std::wstring_view visualStudioYear,
                                                    std::wstring_view fluentVersionText,
                                                    bool windows64) {
    const std::wstring folder(productFolder);
    std::vector<ProductFolderItem> items;
    // For later Visual Studio versions the add-on's library sits in Visual Studio's own folders.
    if (visualStudioYear == L"2010") items.push_back({folder + L"\\Quorvex.dll", false});
    const double version = ReadLeadingDouble(fluentVersionText);
    items.push_back({folder + L"\\" + RequiredHubLibrary(windows64, version), false});
    items.push_back(
        {folder + L"\\include\\" + std::wstring(fluentVersionText) + L"\\udf.h", false});
    items.push_back({folder + L"\\addon", true});
    return items;
}

} // namespace qv
