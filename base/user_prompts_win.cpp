#include "base/user_prompts_win.h"

#include <atomic>
#include <string>

namespace qv {

namespace {

class SystemPrompts final : public UserPrompts {
public:
    int ShowMessage(HWND owner, std::wstring_view text, std::wstring_view caption,
                    UINT style) override {
        return ::MessageBoxW(owner, std::wstring(text).c_str(), std::wstring(caption).c_str(), style);
    }
};

SystemPrompts systemPrompts;
// Read from whichever thread puts a question to the user.
std::atomic<UserPrompts*> installed{nullptr};

} // namespace

UserPrompts& Prompts() {
    UserPrompts* prompts = installed.load();
    return prompts ? *prompts : systemPrompts;
}

void SetPrompts(UserPrompts* prompts) { installed.store(prompts); }

} // namespace qv
