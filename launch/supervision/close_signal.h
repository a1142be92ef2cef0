// The add-on module's signal that its menu is loaded in Fluent, and how the launcher answers a
// question it is showing at that moment.
#pragma once

namespace qv {

// Sent to the window named by __SharedLauncherWnd__, with that window's handle as wParam.
inline constexpr unsigned CloseSignal = 1623;

// The button that closes a shown question: the first of cancel, no, close, abort, OK, continue
// that it has.
inline constexpr int CloseSignalButtons[] = {2, 7, 8, 3, 1, 11};

} // namespace qv
