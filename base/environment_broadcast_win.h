// Telling the desktop that the user's environment changed, so that Explorer gives the new
// variables to the programs it starts from then on.
#pragma once

#include <windows.h>

namespace qv {

// Broadcasts WM_SETTINGCHANGE ("Environment") to the top-level windows on a thread of its own
// and logs how long it took: each window may take up to 2 s to answer, so that a desktop with a
// few slow windows would hold the dialog for seconds.
void BroadcastEnvironmentChange();

// Waits, handling this thread's messages, until every broadcast begun has ended or the time is
// up; true when they ended. The process waits here before it ends, so that no window misses it.
bool FinishEnvironmentBroadcasts(DWORD milliseconds);

} // namespace qv
