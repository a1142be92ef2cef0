#include "ui/launcher_texts.h"

#include "resources/resource.h"

namespace qv::launcher_texts {

const ControlText FixedControlTexts[17] = {
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

} // namespace qv::launcher_texts
