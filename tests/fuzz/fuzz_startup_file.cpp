// The user's .fluent as the launcher judges it: any bytes a file may hold.
#include "fuzz_input.h"
#include "launch/startup_file/startup_file.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool launchers = qv::IsLauncherStartupText(text);
    if (launchers) {
        QV_FUZZ_CHECK(text.compare(0, 10, "(fast-load") == 0);
        // Whatever follows the launcher's text, it stays the launcher's.
        QV_FUZZ_CHECK(qv::IsLauncherStartupText(std::string(text) + "\n;; more"));
    }
    // Anything in front of the line makes a text the user's.
    QV_FUZZ_CHECK(!qv::IsLauncherStartupText(";" + std::string(text)));
    return 0;
}
