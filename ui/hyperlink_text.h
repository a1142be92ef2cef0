// What a hyperlink shows and starts, computed from its address. Pure.
#pragma once

#include "texts/language.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// The tooltip of a link: "Send email to " and the mail address for "mailto:", "Visit http" and
// the rest for an address beginning "http", the bare address otherwise.
std::wstring LinkTooltipText(std::wstring_view address, InterfaceLanguage language);

// The command line that opens the address with a web-page program, from that program's command
// line as its association holds it: cut where "\"%1\"" stands, then one blank and the address.
struct BrowserCommand {
    enum class Outcome { Composed, NoPlaceForAddress, TooLong };
    Outcome outcome = Outcome::NoPlaceForAddress;
    std::wstring commandLine; // when Composed
};
// The longest command line composed, in characters: what the system's start of a program takes
// is bounded, and a cut address would open some other page.
inline constexpr std::size_t MaxBrowserCommandLength = 519;
BrowserCommand ComposeBrowserCommand(std::wstring_view associationCommand,
                                     std::wstring_view address);

} // namespace qv
