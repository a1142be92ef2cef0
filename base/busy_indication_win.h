// What a window shows while the user waits on it with nothing to do: the app-starting pointer
// over it and, where the taskbar offers one, a progress without end on its taskbar button. Both
// go when the wait ends, however it ends.
#pragma once

#include <windows.h>

#include <memory>

namespace qv {

class BusyIndication {
  public:
    explicit BusyIndication(HWND window);
    ~BusyIndication();
    BusyIndication(const BusyIndication&) = delete;
    BusyIndication& operator=(const BusyIndication&) = delete;

  private:
    class TaskbarProgress;
    HWND window_;
    bool pointerSet_;
    std::unique_ptr<TaskbarProgress> taskbar_;
};

} // namespace qv
