// Entering a command line into another program's console window.
#pragma once

#include <windows.h>

#include <string_view>

namespace qv {

// Unanswered: the console did not take the paste in time; the command stays on the clipboard.
// Untaken: typed, but the console took none of its keystrokes.
enum class ConsoleEntry { Pasted, Typed, Unanswered, Untaken };

// Enters the text and presses Enter. It is pasted through the clipboard when the user's
// clipboard can be saved whole, and the clipboard is put back once the console has answered;
// otherwise (a private or drawn format, data that cannot be copied, a clipboard another program
// holds) it is typed character by character and the clipboard is left alone.
ConsoleEntry TypeIntoWindow(std::wstring_view text, HWND window);

} // namespace qv
