// Texts of the MATLAB check at launch in both languages, side by side.
#pragma once

#include "texts/language.h"

namespace qv {

inline constexpr Message MatlabNotFoundText{
    "no-matlab", L"No Matlab found on this machine. Please install Matlab (2014a ~ 2021b) first.",
    L"本机上未发现Matlab，请先安装Matlab (2014a ~ 2021b)"};
// %s is the MATLAB release.
inline constexpr Message MatlabCoderMissingText{
    "matlab-coder-missing",
    L"Matlab Coder component is not found on this computer.\nPlease check this item when "
    L"installing Matlab %s.",
    L"本机上未找到Matlab Coder组件\n请安装Matlab%s时勾选该组件"};
// %s is the MATLAB release.
inline constexpr Message MatlabCompilerMissingText{
    "matlab-compiler-missing",
    L"Matlab Compiler component is not found on this computer.\nPlease check this item when "
    L"installing Matlab %s.",
    L"本机上未找到Matlab Compiler组件\n请安装Matlab%s时勾选该组件"};
inline constexpr Message MatlabNeedsAdministratorText{
    "matlab-needs-administrator",
    L"Please open this program with administrator\nright to first-time change Matlab running "
    L"environment.",
    L"首次切换设置Matlab运行环境，请用管理员权限运行此程序"};
inline constexpr Message MatlabServerFailedText{
    "matlab-server-failed", L"Failed in setting Matlab server running environment.",
    L"设置Matlab服务运行环境失败"};
// The English question ends with a blank.
inline constexpr Message MatlabStaticLinkWithVs2019Question{
    "matlab-static-link-with-vs2019",
    L"Static linking Mablat using VS2019 may cause \"incompatible with C99 (ISO) language "
    L"standard\" warning when converting Matlab code to C++ in Visual Studio. Please install "
    L"lower version of Visual Studio (2010~2017) if this warning occurs. Whether uninstalling "
    L"VS2019 or not doesn't matter. Continue starting FLUENT process or not? ",
    L"使用VS2019静态调用Matlab，在Visual Studio中将Matlab代码转为C++时可能会导致\"incompatible "
    L"with C99 (ISO) language "
    L"standard\"的警告。如出现该警告，请安装较低版本的Visual studio "
    L"(2010~2017)。卸不卸载VS2019均可。是否继续启动FLUENT进程？"};

} // namespace qv
