// Entering a command line into another program's console window.
#pragma once

#include "launch/record/launch_state_win.h"

#include <windows.h>

#include <memory>
#include <string_view>

namespace qv {

enum class ConsoleEntry {
    Pasting,    // sent as a paste: the console takes it when it gets to it, and Enter follows
    Typed,      // typed character by character, Enter last
    NotEntered, // the console's window was gone, or it did not take what was typed
};

struct EnteredCommand {
    ConsoleEntry entry = ConsoleEntry::NotEntered;
    // While Pasting: the paste still going, which keeps the user's clipboard content meanwhile.
    std::unique_ptr<LaunchAftercare> paste;
};

// Enters the text into the console window and presses Enter.
// When the user's clipboard can be saved whole, the text is pasted through it: the paste is sent
// without waiting for the console, which may be busy for long. Once the console has taken it,
// the user's clipboard comes back and Enter follows; once the console's window or the process
// (a handle that can be waited on) has gone first, the clipboard comes back then. Until one of
// these, the clipboard holds the command: put back earlier, a late paste would enter the user's
// own data. The returned paste does this as this thread handles its messages; concluded or
// destroyed first, it waits a little for the console, then puts the user's content back all the
// same. A paste still pending when the next one starts is concluded first.
// Otherwise (a private or drawn format, data that cannot be copied, a clipboard another program
// holds, or content its owner does not render within a few seconds) the text is typed character
// by character and the clipboard is left alone. Every wait on the clipboard is bounded and
// handles this thread's messages.
EnteredCommand TypeIntoWindow(std::wstring_view text, HWND window, HANDLE process);

} // namespace qv
