// What the coupling tests need beyond the shared helpers: a thread that is no administrator,
// another program holding a file, and a folder's listing.
#pragma once

#include "base/handles_win.h"
#include "texts/language.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::test {

// While it lives, the calling thread acts with the process's token in which the Administrators
// group only denies (a restricted token, impersonated), as an administrator's programs run
// without elevation: IsUserAdministrator() answers false on this thread.
class ScopedNonAdministrator {
  public:
    ScopedNonAdministrator();
    ~ScopedNonAdministrator();
    ScopedNonAdministrator(const ScopedNonAdministrator&) = delete;
    ScopedNonAdministrator& operator=(const ScopedNonAdministrator&) = delete;
    bool Active() const { return active_; }

  private:
    bool active_ = false;
};

// The FileHolder stand-in holding a file ("exclusive", "read-only", "tail", "attributes" or
// "image"); it ends with the object, or lets go by itself about letGoAfterMs after it got hold
// (0: never), as a virus scanner does.
class HeldFile {
  public:
    HeldFile(const std::wstring& how, const std::wstring& path, DWORD letGoAfterMs = 0);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Holds() const { return holds_; }

  private:
    ProcessHandles holder_;
    bool holds_ = false;
};

// The interface language for a scope; the earlier one comes back at its end.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(InterfaceLanguage language) { SetInterfaceLanguage(language); }
    ~ScopedLanguage() { SetInterfaceLanguage(saved_); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

  private:
    InterfaceLanguage saved_ = CurrentInterfaceLanguage();
};

// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> FolderEntries(const std::wstring& folder);

// How many processes run the program of that file name (e.g. L"matlab.exe"), ignoring case.
int ProcessesNamed(const std::wstring& exeName);
// Ends them; true when there were some.
bool EndProcessesNamed(const std::wstring& exeName);

// The last write time of a file, 0 when it cannot be read.
ULONGLONG LastWriteTime(const std::wstring& path);

} // namespace qv::test
