#include "app/interface_language.h"

#include "base/text.h"

#include <atomic>

namespace qv {

namespace {
// The update thread reads it too.
std::atomic<InterfaceLanguage> current{InterfaceLanguage::English};
constexpr unsigned short PrimaryLanguageMask = 0x3FF;
constexpr unsigned short ChinesePrimaryLanguage = 0x04;
} // namespace

InterfaceLanguage CurrentInterfaceLanguage() { return current.load(); }
void SetInterfaceLanguage(InterfaceLanguage language) { current.store(language); }

LanguageDecision DecideInterfaceLanguage(std::wstring_view storedValue, unsigned short systemLanguageId) {
    if (EqualsNoCase(storedValue, L"false")) return {InterfaceLanguage::Chinese, std::nullopt};
    if (EqualsNoCase(storedValue, L"true")) return {InterfaceLanguage::English, std::nullopt};
    const auto language = (systemLanguageId & PrimaryLanguageMask) == ChinesePrimaryLanguage
                              ? InterfaceLanguage::Chinese
                              : InterfaceLanguage::English;
    return {language, std::wstring(StoredLanguageValue(language))};
}

} // namespace qv
