// The user's profile folder, asked for on a thread of its own: the shell library it needs then
// loads while the main dialog initialises, on another processor, instead of before it shows.
#pragma once

#include "base/handles_win.h"

#include <string>

namespace qv {

class ProfileFolderLookup {
  public:
    ProfileFolderLookup() = default;
    ~ProfileFolderLookup();
    ProfileFolderLookup(const ProfileFolderLookup&) = delete;
    ProfileFolderLookup& operator=(const ProfileFolderLookup&) = delete;

    // Begins the lookup on its own thread.
    void Start();
    // The folder as the shell names it, empty when it names none; waits for the lookup, or makes
    // it here when it was not started or its thread could not be.
    const std::wstring& Result();

  private:
    static DWORD WINAPI Run(void* parameter);

    std::wstring folder_;
    UniqueHandle thread_;
    bool done_ = false;
};

} // namespace qv
