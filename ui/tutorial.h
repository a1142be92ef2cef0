// The Tutorial command's texts: which document it opens and what the user is told when the
// shell cannot open it.
#pragma once

#include "texts/language.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The tutorial of the language in the product folder, in double quotes, as the shell gets it.
std::wstring TutorialDocument(std::wstring_view productFolder, InterfaceLanguage language);

struct TutorialMessage {
    std::wstring text;
    std::wstring caption;
    const char* key = "";                   // the message's key in the launch log
    const TextPair* captionTexts = nullptr; // the caption in both languages
};

// The message for a result of ShellExecuteW that is no success (32 or less), except 31: no
// application is associated with the document, and the Open With chooser is offered instead.
std::optional<TutorialMessage> TutorialFailureMessage(std::intptr_t result,
                                                      std::wstring_view document,
                                                      InterfaceLanguage language);

// The message for a product folder variable that is not set; name is the variable's.
TutorialMessage TutorialVariableMissingMessage(std::wstring_view name, InterfaceLanguage language);

} // namespace qv
