// Texts of the product folder check in both languages, side by side.
#pragma once

#include "texts/language.h"

namespace qv {

// %s is the missing file or folder.
inline constexpr Message ProductItemMissingText{
    "product-item-missing", L"Can't find \"%s\". \nThe Quorvex directory is wrong or corrupted.",
    L"无法找到\"%s\"\nQuorvex目录错误或损坏"};

} // namespace qv
