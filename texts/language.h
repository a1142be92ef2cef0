// The interface language and the pairs of texts it chooses between. Every text the user sees
// lives in this folder, one header per window or message group, each English text beside its
// Chinese one.
#pragma once

namespace qv {

enum class InterfaceLanguage { English, Chinese };

// One value for the whole process, read whenever a text is shown.
InterfaceLanguage CurrentInterfaceLanguage();
void SetInterfaceLanguage(InterfaceLanguage language);
inline bool IsEnglish() {
    return CurrentInterfaceLanguage() == InterfaceLanguage::English;
}

// The language as the settings value IsUsingEnglishLanguage records it.
inline const wchar_t* StoredLanguageValue(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? L"true" : L"false";
}

struct TextPair {
    const wchar_t* english;
    const wchar_t* chinese;
};
inline const wchar_t* Pick(const TextPair& texts, InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? texts.english : texts.chinese;
}
inline const wchar_t* Pick(const TextPair& texts) {
    return Pick(texts, CurrentInterfaceLanguage());
}

// A message the user can be shown, in both languages, with the key that finds it in the launch
// log whichever language it was shown in: lower-case words joined by hyphens, never changed once
// released, one message per key.
struct Message : TextPair {
    constexpr Message(const char* logKey, const wchar_t* englishText, const wchar_t* chineseText)
        : TextPair{englishText, chineseText}, key(logKey) {}
    const char* key;
};

// The launcher's name: the caption of its English-only messages.
inline constexpr wchar_t ApplicationName[] = L"Quorvex Launcher";

// Captions of the launcher's message boxes.
namespace captions {
inline constexpr TextPair Error{L"Error", L"错误"};
inline constexpr TextPair Warning{L"Warning", L"警告"};
// The caption of the messages that are English in both languages.
inline constexpr TextPair Application{ApplicationName, ApplicationName};
} // namespace captions

} // namespace qv
