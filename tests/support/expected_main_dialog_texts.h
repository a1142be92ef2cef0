// The main dialog's texts as the user must read them, written out independently of the
// product's own table, for the rule tests and the tests of the real exe.
#pragma once

#include "resources/resource.h"

#include <vector>

namespace qv::test {

struct ExpectedText {
    int id;
    const wchar_t* english;
    const wchar_t* chinese;
};

// Every control text the language sets (the radios 2D and 3D keep the template's texts), with
// "Start by WorkBench" clear and a Fluent entry below 2022 R2 selected.
inline const std::vector<ExpectedText> ExpectedControlTexts = {
    {IDC_DIMENSION_GROUP, L"Dimension", L"版本"},
    {IDC_SERIAL, L"Serial", L"真串行"},
    {IDC_PARALLEL, L"Parallel", L"并行"},
    {IDC_THIRD_PARTY_GROUP, L"3rdParty Options", L"第三方选项"},
    {IDC_DOUBLE_PRECISION, L"Double Precision", L"双精度"},
    {IDC_CALL_COOLPROP, L"Call CoolProp", L"调用CoolProp"},
    {IDC_CALL_FORTRAN, L"Call Intel Fortran", L"调用Intel Fortran"},
    {IDC_CALL_MATLAB, L"Call Matlab", L"调用Matlab"},
    {IDC_STATIC_LINK, L"Static link", L"静态链接"},
    {IDC_DYNAMIC_LINK, L"Dynamic link", L"动态链接"},
    {IDC_CHINESE_FLUENT, L"Chinese Fluent", L"中文版Fluent"},
    {IDC_START_BY_WORKBENCH, L"Start by WorkBench", L"由WorkBench启动"},
    {IDC_PROCESSING_GROUP, L"Processing Options", L"串并行选项"},
    {IDC_PROCESSES_LABEL, L"Processes(1~999)", L"并行核数(1~999)"},
    {IDC_VS_GROUP, L"VC version to run", L"VC运行版本"},
    {IDC_FLUENT_GROUP, L"Fluent version to run", L"Fluent运行版本"},
    {IDC_MATLAB_LABEL, L"Matlab version to run", L"Matlab运行版本"},
    {IDOK, L"OK", L"确定"},
    {IDC_CANCEL, L"Cancel", L"取消"},
    // Not drawn: the icon-only button's name for screen readers.
    {IDC_BROWSE, L"Browse Fluent installing folder to run.", L"指定Fluent已安装目录"},
};

// The single entry of each list when nothing was found.
inline const std::vector<ExpectedText> ExpectedPlaceholders = {
    {IDC_VS_LIST, L"need 2010~2019", L"需2010~2019"},
    {IDC_FLUENT_LIST, L"Not found", L"未发现"},
    {IDC_MATLAB_LIST, L"need 2014~2021", L"需2014~2021"},
};

} // namespace qv::test
