// What the user is told when a Fluent folder cannot be used. Browse and the launch word it
// differently; each %s is the normalised folder or the version text.
#pragma once

#include "app/interface_language.h"
#include "base/text.h"
#include "discovery/fluent_versions.h"

#include <string>

namespace qv {

inline constexpr TextPair BrowseNotExactlyOneText{
    L"Invalid Fluent installing folder because no Fluent or multiple Fluent versions found in \"%s\"\n"
    L"Typical Fluent installing folder should be like \"C:\\Program Files\\ANSYS Inc\\v182\\fluent\".",
    L"无效Fluent安装目录，因\"%s\"中未发现任何Fluent版本或发现多于一个版本\n"
    L"典型Fluent安装目录应该类似于\"C:\\Program Files\\ANSYS Inc\\v182\\fluent\""};
inline constexpr TextPair LaunchNotExactlyOneText{
    L"Can't decide which version to run because no Fluent or multiple Fluent versions found in \"%s\" folder.",
    L"无法确定该运行哪个版本，因为\"%s\"目录中未发现Fluent或发现多于一个版本"};
inline constexpr TextPair BrowseUnsupportedVersionText{
    L"Fluent %s is not supported in current Quorvex.", L"当前Quorvex版本不支持Fluent %s"};
inline constexpr TextPair LaunchUnsupportedVersionText{
    L"Fluent %s is not supported in current Quorvex.", L"当前Quorvex版本尚不支持Fluent %s"};

enum class FluentFolderAsker { Browse, Launch };

// The message for a folder that did not resolve, in the current interface language; "" for a
// resolved one.
inline std::wstring FluentFolderProblemText(const FluentFolderResolution& resolution,
                                            FluentFolderAsker asker) {
    const bool browse = asker == FluentFolderAsker::Browse;
    switch (resolution.status) {
    case FluentFolderStatus::NotExactlyOne:
        return FormatText(Pick(browse ? BrowseNotExactlyOneText : LaunchNotExactlyOneText),
                          {resolution.folder});
    case FluentFolderStatus::UnsupportedVersion:
        return FormatText(Pick(browse ? BrowseUnsupportedVersionText : LaunchUnsupportedVersionText),
                          {resolution.versionText});
    case FluentFolderStatus::Resolved:
        break;
    }
    return L"";
}

} // namespace qv
