// Texts of the main dialog in both languages, side by side.
#pragma once

#include "resources/resource.h"
#include "texts/language.h"

namespace qv::main_dialog_texts {

inline constexpr TextPair Title{L"Quorvex", L"Quorvex"};
inline constexpr TextPair Dimension{L"Dimension", L"版本"};
inline constexpr TextPair DimensionSetInWorkbench{L"Dimension(set in WB)", L"版本(请WB中设置)"};
inline constexpr TextPair Serial{L"Serial", L"真串行"};
inline constexpr TextPair OneCoreParallel{L"1-Core Parallel", L"单核并行"};
inline constexpr TextPair BrowseTooltip{L"Browse Fluent installing folder to run.",
                                        L"指定Fluent已安装目录"};

// Controls whose text depends on nothing but the language.
struct ControlText {
    int id;
    TextPair text;
};
inline constexpr ControlText FixedControlTexts[] = {
    {IDC_PARALLEL, {L"Parallel", L"并行"}},
    {IDC_THIRD_PARTY_GROUP, {L"3rdParty Options", L"第三方选项"}},
    {IDC_DOUBLE_PRECISION, {L"Double Precision", L"双精度"}},
    {IDC_CALL_COOLPROP, {L"Call CoolProp", L"调用CoolProp"}},
    {IDC_CALL_FORTRAN, {L"Call Intel Fortran", L"调用Intel Fortran"}},
    {IDC_CALL_MATLAB, {L"Call Matlab", L"调用Matlab"}},
    {IDC_STATIC_LINK, {L"Static link", L"静态链接"}},
    {IDC_DYNAMIC_LINK, {L"Dynamic link", L"动态链接"}},
    {IDC_CHINESE_FLUENT, {L"Chinese Fluent", L"中文版Fluent"}},
    {IDC_START_BY_WORKBENCH, {L"Start by WorkBench", L"由WorkBench启动"}},
    {IDC_PROCESSING_GROUP, {L"Processing Options", L"串并行选项"}},
    {IDC_PROCESSES_LABEL, {L"Processes(1~999)", L"并行核数(1~999)"}},
    {IDC_VS_GROUP, {L"VC version to run", L"VC运行版本"}},
    {IDC_FLUENT_GROUP, {L"Fluent version to run", L"Fluent运行版本"}},
    {IDC_MATLAB_LABEL, {L"Matlab version to run", L"Matlab运行版本"}},
    {IDOK, {L"OK", L"确定"}},
    {IDC_CANCEL, {L"Cancel", L"取消"}},
};

inline constexpr Message HomeFolderMissing{"home-folder-missing",
                                           L"Can't find user home directory. Restart may work.",
                                           L"无法找到用户目录，可以尝试重启"};

// The title of the folder picker of Browse, where the picker shows one.
inline constexpr TextPair BrowseTitle{L"Select Fluent installation folder...",
                                      L"选择Fluent安装目录..."};

// The main dialog could not be created (its template or one of its controls is missing).
inline constexpr Message WindowCannotOpen{
    "window-cannot-open", L"The launcher's window could not be opened.", L"无法打开启动器窗口"};

} // namespace qv::main_dialog_texts
