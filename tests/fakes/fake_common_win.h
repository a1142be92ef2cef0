// What every stand-in does: learn about itself, record what it received, start the solver that
// lies beside it and wait for things without ever waiting for ever.
#pragma once

#include "base/handles_win.h"
#include "tests/support/child_process_win.h"
#include "tests/support/file_tree_win.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::fake {

using test::FolderOf;
using test::StartProgram;

std::wstring ModulePath();
// Lower-case file name of the running exe without ".exe": the record's program name.
std::wstring ProgramName();
// A duration in milliseconds from a variable, or the fallback when it is unset or no number.
DWORD ReadMilliseconds(const wchar_t* name, DWORD fallback);
// The arguments as the C runtime parsed them for this process.
std::vector<std::wstring> CrtArguments();
// What follows the program name in a command line, exactly as it stands there. A program named
// by its unquoted path with blanks (as the launcher starts Fluent) ends where that path ends;
// otherwise the C runtime's rule for where the name ends applies.
std::wstring_view ArgumentsOf(std::wstring_view commandLine, std::wstring_view modulePath);

// Everything the process received, collected at construction; more entries may follow.
class Record {
  public:
    Record();
    void Add(std::wstring_view key, std::wstring_view value);
    // Writes the record into QV_FAKE_RECORD_DIR (nothing when unset); true when written.
    bool Write() const;

  private:
    std::vector<std::pair<std::wstring, std::wstring>> entries_;
};

// Monotonic deadline for bounded waits.
class Deadline {
  public:
    explicit Deadline(DWORD milliseconds) : end_(::GetTickCount64() + milliseconds) {}
    bool Passed() const { return ::GetTickCount64() >= end_; }
    DWORD Remaining() const;

  private:
    ULONGLONG end_;
};

// The first "fl*s.exe" in the folder, or "".
std::wstring FindSolverIn(std::wstring_view folder);

// The launcher's main dialog once it shows; nullptr when it has not by the deadline.
HWND WaitForLauncherDialog(const Deadline& deadline);
// Waits until the process shows a visible top-level window of the solver's class, or the process
// ends, or the time runs out.
// The class of the solver's main window: QV_FAKE_WINDOW_CLASS, else the usual Fluent one.
std::wstring SolverWindowClassInForce();
HWND WaitForSolverWindow(const ProcessHandles& process, DWORD timeoutMs);

} // namespace qv::fake
