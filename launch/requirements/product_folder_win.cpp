#include "launch/requirements/product_folder_win.h"

#include "base/files_win.h"
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
        Prompts().ShowMessage(owner, FormatText(Pick(ProductItemMissingText), {item.path}),
                              Pick(captions::Error), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

} // namespace qv
