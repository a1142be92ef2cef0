// Every question or message the launcher puts to the user goes through UserPrompts, so that
// the steps behind them can run under test with scripted answers. SystemPrompts asks for real;
// the application installs a subclass that can also show the launcher's own dialogs.
#pragma once

#include "texts/language.h"

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace qv {

// What a folder picker gave back.
struct FolderChoice {
    enum class Outcome { Cancelled, NoPath, Picked };
    Outcome outcome = Outcome::Cancelled;
    std::wstring path; // set when Picked
};

// Modern: the system's folder dialog on Vista and later, the legacy picker before.
// Legacy: always the shell's tree of folders (SHBrowseForFolderW) with the given title.
enum class FolderPicker { Modern, Legacy };

class UserPrompts {
  public:
    virtual ~UserPrompts() = default;
    // A modal message box; returns the id of the button that closed it (IDOK, IDYES, ...).
    virtual int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                            UINT style) = 0;
    // A modal folder picker owned by owner. The modern picker shows its own default title.
    virtual FolderChoice ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) = 0;
    // The Workbench tip; returns the id it was closed with (IDOK or IDCANCEL).
    virtual INT_PTR ShowWorkbenchTip(HWND owner) = 0;
};

class SystemPrompts : public UserPrompts {
  public:
    int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                    UINT style) override;
    FolderChoice ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) override;
    // The tip is a dialog of the user interface, which overrides this; down here it is declined.
    INT_PTR ShowWorkbenchTip(HWND) override { return IDCANCEL; }
};

// The prompts in force for the process: the installed ones, else plain SystemPrompts. Each
// question and its answer go to the launch log.
UserPrompts& Prompts();

// Shows one of the launcher's messages in the interface language, under the caption of that
// language, and logs it by its key with the caption in English and the text as shown; values fill
// the text's placeholders in order (without values the text is shown as it is). Returns the id of
// the button that closed it.
int ShowMessage(HWND owner, const Message& message, const TextPair& caption, UINT style,
                std::initializer_list<std::wstring_view> values = {});
// The same for a text composed elsewhere from the message of that key.
int ShowMessage(HWND owner, std::string_view key, std::wstring_view text, const TextPair& caption,
                UINT style);
// Installs prompts for the process; nullptr goes back to plain SystemPrompts.
void SetPrompts(UserPrompts* prompts);

// The add-on's close signal is about to close the question shown: its answer is then logged as
// the signal's, not the user's.
void NoteQuestionClosedBySignal();

} // namespace qv
