// Every question or message the launcher puts to the user goes through UserPrompts, so that
// the steps behind them can run under test with scripted answers. The system implementation
// shows real message boxes.
#pragma once

#include <windows.h>

#include <string_view>

namespace qv {

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A modal message box; returns the id of the button that closed it (IDOK, IDYES, ...).
    virtual int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                            UINT style) = 0;
};

// The prompts in force for the process: the system's unless a test installed its own.
UserPrompts& Prompts();
// Installs prompts for the process; nullptr goes back to the system's.
void SetPrompts(UserPrompts* prompts);

} // namespace qv
