// Texts of the About box in both languages, side by side.
#pragma once

#include "texts/language.h"

namespace qv::about_texts {

inline constexpr TextPair Title{L"About", L"关于"};
inline constexpr TextPair GlobalSite{L"Global:", L"国际:"};
inline constexpr TextPair ChinaSite{L"China(in building):", L"中国(建设中):"};
inline constexpr TextPair AutoCheck{L"Auto check for update on startup",
                                    L"启动本软件时自动检查新版本"};
// The release as "2025R2" (%s).
inline constexpr TextPair ProductLine{L"Fluent launcher module for\nQuorvex %s.",
                                      L"Fluent启动器模块\nQuorvex %s"};

} // namespace qv::about_texts
