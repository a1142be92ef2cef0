// Texts of the main dialog in both languages, side by side.
#pragma once

#include "app/interface_language.h"

namespace qv::launcher_texts {

inline constexpr TextPair Title{L"Quorvex", L"Quorvex"};
inline constexpr TextPair Dimension{L"Dimension", L"版本"};
inline constexpr TextPair DimensionSetInWorkbench{L"Dimension(set in WB)", L"版本(请WB中设置)"};
inline constexpr TextPair Serial{L"Serial", L"真串行"};
inline constexpr TextPair OneCoreParallel{L"1-Core Parallel", L"单核并行"};
inline constexpr TextPair BrowseTooltip{L"Browse Fluent installing folder to run.", L"指定Fluent已安装目录"};

// Controls whose text depends on nothing but the language.
struct ControlText {
    int id;
    TextPair text;
};
extern const ControlText FixedControlTexts[17];

} // namespace qv::launcher_texts
