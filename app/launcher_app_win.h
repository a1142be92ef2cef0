// The application object: decides the interface language, then runs the main dialog.
#pragma once

namespace qv {

class CLauncherApp {
  public:
    // librarySearchError: how limiting the library search to the system folder went (0: done),
    // for the log.
    explicit CLauncherApp(unsigned long librarySearchError = 0)
        : librarySearchError_(librarySearchError) {}
    // Runs the whole program; false tells the caller there is no message loop of ours to enter.
    bool InitInstance();
    // The process exit code: 0 once the main dialog ran, non-zero when it could not open.
    int ExitCode() const { return exitCode_; }

  private:
    unsigned long librarySearchError_;
    int exitCode_ = 0;
};

} // namespace qv
