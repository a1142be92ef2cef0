#include "ui/tutorial.h"

#include "base/text.h"
#include "texts/tutorial_texts.h"

namespace qv {

namespace texts = tutorial_texts;

namespace {
constexpr std::intptr_t NoAssociation = 31; // SE_ERR_NOASSOC
constexpr std::intptr_t LastFailure = 32;
} // namespace

std::wstring TutorialDocument(std::wstring_view productFolder, InterfaceLanguage language) {
    return FormatText(Pick(texts::Document, language), {productFolder});
}

std::optional<TutorialMessage> TutorialFailureMessage(std::intptr_t result,
                                                      std::wstring_view document,
                                                      InterfaceLanguage language) {
    if (result > LastFailure || result == NoAssociation) return std::nullopt;
    for (const auto& failure : texts::ShellFailures)
        if (failure.result == result)
            return TutorialMessage{FormatText(Pick(failure.text, language), {document}),
                                   Pick(captions::Error, language), failure.text.key,
                                   &captions::Error};
    return TutorialMessage{FormatText(Pick(texts::UnknownFailure, language), {document}),
                           Pick(texts::UnknownFailureCaption, language), texts::UnknownFailure.key,
                           &texts::UnknownFailureCaption};
}

TutorialMessage TutorialVariableMissingMessage(std::wstring_view name, InterfaceLanguage language) {
    return {FormatText(Pick(texts::VariableMissing, language), {name}),
            Pick(captions::Error, language), texts::VariableMissing.key, &captions::Error};
}

} // namespace qv
