// The application object: decides the interface language, then runs the main dialog.
#pragma once

namespace qv {

class CLauncherApp {
public:
    // Runs the whole program; false tells the caller there is no message loop of ours to enter.
    bool InitInstance();
};

} // namespace qv
