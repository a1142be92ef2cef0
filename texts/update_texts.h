// Texts of the update dialog in both languages, side by side.
#pragma once

#include "texts/language.h"

namespace qv::update_texts {

inline constexpr TextPair Title{L"Check Update", L"检查更新"};
inline constexpr TextPair DownloadLink{L"Offical download", L"官网下载"};
inline constexpr TextPair AutoCheck{L"Auto check for update on startup",
                                    L"启动本软件时自动检查新版本"};
// The download page of the site that answered (%s).
inline constexpr TextPair DownloadPage{L"%s/download_en.html", L"%s/download_cn.html"};
// Year and revision (%d, %d), and the service pack when there is one.
inline constexpr TextPair NewRelease{L"New version found:\n===============\n%dR%d\n===============",
                                     L"发现如下新版本:\n===============\n%dR%d\n==============="};
inline constexpr TextPair NewServicePack{
    L"New version found:\n===============\n%dR%d SP%d\n===============",
    L"发现如下新版本:\n===============\n%dR%d SP%d\n==============="};

} // namespace qv::update_texts
