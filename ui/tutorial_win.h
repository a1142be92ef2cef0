// The Tutorial command: the product folder's tutorial in the interface language, opened with
// the program the system associates with it.
#pragma once

#include <windows.h>

namespace qv {

// Tells the user, in a message box owned by owner, why the document could not be opened.
void OpenTutorial(HWND owner);

} // namespace qv
