// Texts of the library renaming for MATLAB coupling in both languages, side by side.
#pragma once

#include "texts/language.h"

namespace qv {

inline constexpr Message LibraryPatchNeedsAdministratorText{
    "libraries-need-administrator",
    L"Please open this program with administrator\nright to first-time change compatible "
    L"Fluent/Matlab environment.",
    L"首次切换设置Fluent/Matlab兼容运行环境，请用管理员权限运行此程序"};
inline constexpr Message MatlabLibraryOccupiedText{
    "matlab-library-occupied",
    L"Some File is occupied. Please retry after closing all Matlab programs or restarting "
    L"Windows.",
    L"某些文件被占用，请关闭所有Matlab程序或重启Windows后重试。"};
inline constexpr Message FluentLibraryOccupiedText{
    "fluent-library-occupied",
    L"Some File is occupied. Please retry after closing all Fluent programs or restarting "
    L"Windows.",
    L"某些文件被占用，请关闭所有Fluent程序或重启Windows后重试。"};

} // namespace qv
