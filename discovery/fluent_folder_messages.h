// What the user is told when a Fluent folder cannot be used, for Browse and for the launch.
#pragma once

#include "base/text.h"
#include "discovery/fluent_versions.h"
#include "texts/discovery_texts.h"

#include <string>

namespace qv {

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
        return FormatText(
            Pick(browse ? BrowseUnsupportedVersionText : LaunchUnsupportedVersionText),
            {resolution.versionText});
    case FluentFolderStatus::Resolved:
        break;
    }
    return L"";
}

} // namespace qv
