// The launcher's questions to the user, its own dialogs included.
#pragma once

#include "base/user_prompts_win.h"

namespace qv {

class LauncherPrompts final : public SystemPrompts {
  public:
    INT_PTR ShowWorkbenchTip(HWND owner) override;
};

} // namespace qv
