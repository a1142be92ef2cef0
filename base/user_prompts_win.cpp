#include "base/user_prompts_win.h"

#include "base/folder_picker_win.h"

#include <atomic>

namespace qv {

namespace {

SystemPrompts systemPrompts;
// Read from whichever thread puts a question to the user.
std::atomic<UserPrompts*> installed{nullptr};

} // namespace

int SystemPrompts::ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                               UINT style) {
    return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), style);
}

FolderChoice SystemPrompts::ChooseFolder(HWND owner, std::wstring_view title, FolderPicker picker) {
    if (picker == FolderPicker::Modern && IsVistaOrLater()) return PickFolderModern(owner);
    return PickFolderLegacy(owner, title);
}

UserPrompts& Prompts() {
    UserPrompts* prompts = installed.load();
    return prompts ? *prompts : systemPrompts;
}

void SetPrompts(UserPrompts* prompts) {
    installed.store(prompts);
}

} // namespace qv
