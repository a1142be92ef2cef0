// The application object: decides the interface language, then runs the main dialog.
#pragma once

namespace qv {

class CLauncherApp {
  public:
    // Runs the whole program; false tells the caller there is no message loop of ours to enter.
    bool InitInstance();
    // The process exit code: 0 once the main dialog ran, non-zero when it could not open.
    int ExitCode() const { return exitCode_; }

  private:
    int exitCode_ = 0;
};

} // namespace qv
