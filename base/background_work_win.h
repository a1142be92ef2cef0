// Work that needs no window, done on a thread of its own so that it overlaps what the
// user-interface thread does meanwhile; its result is taken on the user-interface thread.
#pragma once

#include "base/handles_win.h"

#include <windows.h>

namespace qv {

template <typename Result> class BackgroundWork {
  public:
    using Work = Result (*)();
    explicit BackgroundWork(Work work) : work_(work) {}
    // The thread writes into this object: it must end first.
    ~BackgroundWork() {
        if (thread_) ::WaitForSingleObject(thread_.get(), INFINITE);
    }
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Begins the work on its own thread, once.
    void Start() {
        if (!thread_ && !done_) thread_.reset(::CreateThread(nullptr, 0, &Run, this, 0, nullptr));
    }
    // Waits for the work, or does it here when it was not started or its thread could not be.
    Result& Take() {
        if (done_) return result_;
        if (thread_)
            ::WaitForSingleObject(thread_.get(), INFINITE);
        else
            result_ = work_();
        done_ = true;
        return result_;
    }

  private:
    static DWORD WINAPI Run(void* parameter) {
        auto* self = static_cast<BackgroundWork*>(parameter);
        self->result_ = self->work_();
        return 0;
    }

    Work work_;
    Result result_{};
    UniqueHandle thread_;
    bool done_ = false;
};

} // namespace qv
