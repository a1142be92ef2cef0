#include "launch/requirements/product_folder_win.h"

#include "base/files_win.h"
#include "base/launch_log_win.h"
#include "base/system_win.h"
#include "base/text.h"
#include "base/user_prompts_win.h"
#include "launch/requirements/product_folder.h"
#include "texts/product_folder_texts.h"

namespace qv {

namespace {

bool ItemExists(const ProductFolderItem& item) {
    return item.isFolder ? !ExistingFolderName(item.path).empty() : FileExists(item.path);
}

} // namespace

bool VerifyProductFolder(std::wstring_view productFolder, std::wstring_view visualStudioYear,
                         std::wstring_view fluentVersionText, HWND owner) {
    for (const ProductFolderItem& item : RequiredProductItems(
             productFolder, visualStudioYear, fluentVersionText, IsWindows64Bit())) {
        if (ItemExists(item)) continue;
        // Whether the folder itself is wrong or one item of it is missing.
        Log(LogLevel::Error,
            FormatText(L"product folder %s: %s; it needs the %s %s: %s",
                       {productFolder, DescribePath(productFolder),
                        item.isFolder ? L"folder" : L"file", item.path, DescribePath(item.path)}));
        ShowMessage(owner, ProductItemMissingText, captions::Error, MB_OK | MB_ICONERROR,
                    {item.path});
        return false;
    }
    return true;
}

} // namespace qv
