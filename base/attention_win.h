// A window the launcher shows while another program is in front opens behind it: Windows'
// foreground rules keep it there, unseen by a user who is looking at Fluent.
#pragma once

#include <windows.h>

namespace qv {

// When a window of another program is in front, flashes the taskbar button of the window's root
// owner until the user comes to it, and logs it; true then. It takes no focus: a user typing in
// Fluent goes on typing, and Windows brings the new window forward where its rules allow.
bool DrawAttentionIfBehind(HWND window);

} // namespace qv
