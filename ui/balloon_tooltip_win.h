// A balloon tooltip over one control. The tooltip subclasses the control to see its mouse
// messages, so no message loop of ours has to relay them.
#pragma once

#include "base/handles_win.h"

#include <windows.h>

#include <string_view>

namespace qv {

class BalloonTooltip {
  public:
    // Replaces any tooltip shown before by one with this text; false when none could be made.
    bool Show(HWND owner, HWND control, std::wstring_view text);
    // The owner's destruction also takes the tooltip: it may already be gone.
    void Destroy() {
        if (::IsWindow(window_.get()))
            window_.reset();
        else
            static_cast<void>(window_.release());
    }
    HWND Window() const { return window_.get(); }

  private:
    UniqueWindow window_;
};

} // namespace qv
