// The user's .fluent in the home folder, moved aside for a Workbench start and put back later.
// A file is only ever deleted once a copy of it exists, so neither the user's file nor its
// backup is lost on any path. A file another program holds for a moment is waited for, with the
// dialog answering, before the work gives up on it (held_file_win.h).
#pragma once

#include "launch/record/launch_state_win.h"
#include "launch/record/launch_step.h"

#include <windows.h>

#include <string_view>

namespace qv {

// Whether the file is the launcher's one-line .fluent. A file that cannot be read, or is larger
// than any the launcher writes, is the user's.
bool ContainsFastLoadLine(std::wstring_view path);

// Puts the user's file back when .fluent is the launcher's: the backup over it, or, without a
// backup, no .fluent at all. A .fluent of the user's own is left alone.
void RestoreStartupFile(std::wstring_view homeFolder);

// At the end of a run, when .fluent is the launcher's: says so in the log, with where the user's
// file is kept and when it is put back, so that a run's last lines tell support what it left.
void LogStartupFileLeftReplaced(std::wstring_view homeFolder);

// Before a direct start the user's file is put back. Before a Workbench start (which sets the
// state's Workbench flag) the tip may be shown (a declined tip StaysOpen), then the user's file
// goes to the backup and .fluent gets the fast-load line. An older backup whose content differs
// is first kept beside it as "<backup>.<n>", the first free number. When the user's file cannot
// be copied to the backup, or .fluent cannot be written, the user is told and the launch Closes,
// with the user's file in its place or in the backup. Failed copies and reads go to the launch
// log.
LaunchStep PrepareStartupFile(bool startByWorkbench, double version, std::wstring_view homeFolder,
                              LaunchState& state, HWND owner);

} // namespace qv
