// Texts of the Workbench tip in both languages, side by side. Its OK and Cancel buttons read the
// same in both.
#pragma once

#include "texts/language.h"

namespace qv::workbench_tip_texts {

inline constexpr TextPair Title{L"Tips", L"提示"};
inline constexpr TextPair DoNotShowAgain{L"Got it. Do not show this tips next time.",
                                         L"知道了，下次不要显示本提示"};
inline constexpr TextPair Tip{
    L"Since Fluent18.2, Serial version in WorkBench is \"Pseudo\" as it has been changed to "
    L"parallel architecture (must consider host and node-0 in UDF). To use true Serial in "
    L"WorkBench, a workaround is to select parallel and set processes to 0 (but only suitable for "
    L"Fluent18.2~2019R3). For Fluent 2020R1~2022R1, you have to directly start Fluent by Quorvex "
    L"launcher to use true Serial. Since Fluent 2022R2, Serial code has been officially removed, "
    L"so this tool offers 1-Core Parallel in place of Serial.",
    L"从Fluent18.2开始，WorkBench中的Serial是\"伪串行\"，因为它已改为并行架构（UDF中须考虑host和"
    L"node-0）。想要WorkBench中调出真串行，变通办法是选择parallel并将processes设为0（但仅适用于"
    L"Fluent18.2~2019R3）。对于Fluent "
    L"2020R1~2022R1，只能通过Quorvex启动器直接启动Fluent来调出真串行"
    L"（通过WorkBench来启动Fluent无法实现）。自Fluent "
    L"2022R2起官方已完全移除串行代码，因此本工具以单核并行代替串行。"};

} // namespace qv::workbench_tip_texts
