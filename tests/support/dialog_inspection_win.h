// Looking into the launcher's dialogs from a test in the same process.
#pragma once

#include "texts/language.h"

#include <windows.h>

#include <string>

namespace qv::test {

// The text of the tooltip that a window keeps for one of its controls; "(no tooltip)" when it
// keeps none.
std::wstring TooltipTextOf(HWND parent, int controlId);

// The interface language in force for a scope.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(InterfaceLanguage language);
    ~ScopedLanguage();
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

  private:
    InterfaceLanguage saved_;
};

} // namespace qv::test
