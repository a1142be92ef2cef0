#include "base/profile_folder_win.h"

#include "base/shell_and_com_win.h"

#include <shlobj.h>

namespace qv {

namespace {

std::wstring AskProfileFolder() {
    std::wstring profile(1000, L'\0');
    if (!shell::SHGetSpecialFolderPathW(nullptr, profile.data(), CSIDL_PROFILE, FALSE)) return L"";
    return profile.c_str();
}

} // namespace

void ProfileFolderLookup::Start() {
    if (!thread_ && !done_)
        thread_.reset(::CreateThread(nullptr, 0, &ProfileFolderLookup::Run, this, 0, nullptr));
}

// The thread writes into this object: it must end first.
ProfileFolderLookup::~ProfileFolderLookup() {
    if (thread_) ::WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI ProfileFolderLookup::Run(void* parameter) {
    auto* lookup = static_cast<ProfileFolderLookup*>(parameter);
    lookup->folder_ = AskProfileFolder();
    return 0;
}

const std::wstring& ProfileFolderLookup::Result() {
    if (done_) return folder_;
    if (thread_)
        ::WaitForSingleObject(thread_.get(), INFINITE);
    else
        folder_ = AskProfileFolder();
    done_ = true;
    return folder_;
}

} // namespace qv
