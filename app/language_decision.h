// The interface language decided at start-up.
#pragma once

#include "texts/language.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The stored "true"/"false" (any case) wins; otherwise the system's default language decides
// (Chinese for every Chinese sub-language) and the decision is to be stored.
struct LanguageDecision {
    InterfaceLanguage language;
    std::optional<std::wstring> valueToStore;
};
LanguageDecision DecideInterfaceLanguage(std::wstring_view storedValue,
                                         unsigned short systemLanguageId);

} // namespace qv
