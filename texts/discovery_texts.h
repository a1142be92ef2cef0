// Texts of discovery in both languages, side by side: the entry a list shows when nothing was
// found, what the user is told about a Fluent folder that cannot be used, and the missing
// Visual Studio toolset file.
#pragma once

#include "texts/language.h"

namespace qv {

namespace placeholders {
inline constexpr TextPair VisualStudioNotFound{L"need 2010~2019", L"需2010~2019"};
inline constexpr TextPair FluentNotFound{L"Not found", L"未发现"};
inline constexpr TextPair MatlabNotFound{L"need 2014~2021", L"需2014~2021"};
} // namespace placeholders

// Browse and the launch word the Fluent folder messages differently; each %s is the normalised
// folder or the version text.
inline constexpr Message BrowseNotExactlyOneText{
    "browse-not-exactly-one-fluent",
    L"Invalid Fluent installing folder because no Fluent or multiple Fluent versions found in "
    L"\"%s\"\n"
    L"Typical Fluent installing folder should be like \"C:\\Program Files\\ANSYS "
    L"Inc\\v182\\fluent\".",
    L"无效Fluent安装目录，因\"%s\"中未发现任何Fluent版本或发现多于一个版本\n"
    L"典型Fluent安装目录应该类似于\"C:\\Program Files\\ANSYS Inc\\v182\\fluent\""};
inline constexpr Message LaunchNotExactlyOneText{
    "not-exactly-one-fluent",
    L"Can't decide which version to run because no Fluent or multiple Fluent versions found in "
    L"\"%s\" folder.",
    L"无法确定该运行哪个版本，因为\"%s\"目录中未发现Fluent或发现多于一个版本"};
inline constexpr Message BrowseUnsupportedVersionText{
    "browse-fluent-unsupported", L"Fluent %s is not supported in current Quorvex.",
    L"当前Quorvex版本不支持Fluent %s"};
inline constexpr Message LaunchUnsupportedVersionText{
    "fluent-unsupported", L"Fluent %s is not supported in current Quorvex.",
    L"当前Quorvex版本尚不支持Fluent %s"};

inline constexpr Message VcToolsFileMissing{
    "vc-tools-file-missing",
    L"Can't find VCTools file in Visual Studio installation directory. Re-installing Visual Studio "
    L"with MFC "
    L"components checked may work.",
    L"无法Visual Studio安装目录中找到VCTools文件，可以尝试重新运行Visual "
    L"Studio安装程序并勾选MFC组件"};

} // namespace qv
