#include "app/language_decision.h"

#include "base/text.h"

namespace qv {

namespace {
constexpr unsigned short PrimaryLanguageMask = 0x3FF;
constexpr unsigned short ChinesePrimaryLanguage = 0x04;
} // namespace

LanguageDecision DecideInterfaceLanguage(std::wstring_view storedValue,
                                         unsigned short systemLanguageId) {
    if (EqualsNoCase(storedValue, L"false")) return {InterfaceLanguage::Chinese, std::nullopt};
    if (EqualsNoCase(storedValue, L"true")) return {InterfaceLanguage::English, std::nullopt};
    const auto language = (systemLanguageId & PrimaryLanguageMask) == ChinesePrimaryLanguage
                              ? InterfaceLanguage::Chinese
                              : InterfaceLanguage::English;
    return {language, std::wstring(StoredLanguageValue(language))};
}

} // namespace qv
