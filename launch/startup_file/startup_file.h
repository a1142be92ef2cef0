// The user's Fluent start-up file .fluent and its backup: their names, the one line the launcher
// writes there for a Workbench start, and how that line is recognised.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// Loads the add-on's loader.bin from the folder the Fluent process's QUORVEX_PATH names (the
// variable, not its value, so the line stays right when the product moves). Scheme reads the
// two backslashes as one.
inline constexpr char FastLoadLine[] =
    "(fast-load (open-input-file (format #f \"~a\\\\loader.bin\" (getenv \"QUORVEX_PATH\"))) "
    "(the-environment))";

// A file larger than this is never the launcher's: its line is about a hundred bytes. Treating
// a huge file as the user's is the safe mistake, since the user's file is only ever moved aside.
inline constexpr std::size_t LargestLauncherStartupFile = 1 << 20;

// "%s\.fluent" and "%s\.fluent(Quorvex).backup" of the home folder.
std::wstring StartupFilePath(std::wstring_view homeFolder);
std::wstring StartupBackupPath(std::wstring_view homeFolder);
// An older backup kept beside the backup: "<backup>.<number>", numbered from 1.
std::wstring NumberedBackupPath(std::wstring_view backup, int number);

// Whether a file's text is the launcher's: it begins with "(fast-load" and holds "loader.bin",
// "QUORVEX_PATH" and "(the-environment)", all compared exactly.
bool IsLauncherStartupText(std::string_view text);

} // namespace qv
