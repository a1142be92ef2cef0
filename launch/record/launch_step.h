// How one step of a launch ended.
#pragma once

namespace qv {

// A step's end decides what the launch does next: it is never dropped.
enum class [[nodiscard]] LaunchStep{
    Continue,  // the launch goes on
    StaysOpen, // the launch ends here; the dialog stays for another try
    Closes,    // the launch ends here and so does the launcher (its message has been shown)
};

} // namespace qv
