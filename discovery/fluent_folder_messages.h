// What the user is told when a Fluent folder cannot be used, for Browse and for the launch.
#pragma once

#include "base/text.h"
#include "discovery/fluent_versions.h"
#include "texts/discovery_texts.h"

#include <string>

namespace qv {

enum class FluentFolderAsker { Browse, Launch };

// The message for a folder that did not resolve; null for a resolved one.
inline const Message* FluentFolderProblem(const FluentFolderResolution& resolution,
                                          FluentFolderAsker asker) {
    const bool browse = asker == FluentFolderAsker::Browse;
    switch (resolution.status) {
    case FluentFolderStatus::NotExactlyOne:
        return browse ? &BrowseNotExactlyOneText : &LaunchNotExactlyOneText;
    case FluentFolderStatus::UnsupportedVersion:
        return browse ? &BrowseUnsupportedVersionText : &LaunchUnsupportedVersionText;
    case FluentFolderStatus::Resolved:
        break;
    }
    return nullptr;
}

// Its text in the current interface language, with the folder or the version; "" for a resolved
// folder.
inline std::wstring FluentFolderProblemText(const FluentFolderResolution& resolution,
                                            FluentFolderAsker asker) {
    const Message* message = FluentFolderProblem(resolution, asker);
    if (!message) return L"";
    return FormatText(Pick(*message), {resolution.status == FluentFolderStatus::NotExactlyOne
                                           ? resolution.folder
                                           : resolution.versionText});
}

} // namespace qv
