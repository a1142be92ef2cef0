// The interface language: one value for the whole process, read whenever a text is shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

enum class InterfaceLanguage { English, Chinese };

InterfaceLanguage CurrentInterfaceLanguage();
void SetInterfaceLanguage(InterfaceLanguage language);
inline bool IsEnglish() { return CurrentInterfaceLanguage() == InterfaceLanguage::English; }

// One text in both languages, kept side by side in every table.
struct TextPair {
    const wchar_t* english;
    const wchar_t* chinese;
};
inline const wchar_t* Pick(const TextPair& texts, InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? texts.english : texts.chinese;
}
inline const wchar_t* Pick(const TextPair& texts) { return Pick(texts, CurrentInterfaceLanguage()); }

// Captions of the launcher's message boxes.
namespace captions {
inline constexpr TextPair Error{L"Error", L"错误"};
inline constexpr TextPair Warning{L"Warning", L"警告"};
} // namespace captions

// The start-up decision: the stored "true"/"false" (any case) wins; otherwise the system's
// default language decides (Chinese for every Chinese sub-language) and the decision is to be
// stored.
struct LanguageDecision {
    InterfaceLanguage language;
    std::optional<std::wstring> valueToStore;
};
LanguageDecision DecideInterfaceLanguage(std::wstring_view storedValue, unsigned short systemLanguageId);

inline const wchar_t* StoredLanguageValue(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? L"true" : L"false";
}

} // namespace qv
