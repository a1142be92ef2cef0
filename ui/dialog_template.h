// An extended dialog template (DIALOGEX) as the resource compiler lays it out, given a menu: the
// dialog manager then makes the window with its menu bar at once. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// The template with the menu resource menuId named in place of "no menu", its controls moved on
// to the next four-byte boundary as the dialog manager reads them. Empty when the bytes are not
// a complete extended template without a menu.
std::vector<std::uint8_t> TemplateWithMenu(const std::uint8_t* data, std::size_t size,
                                           std::uint16_t menuId);

} // namespace qv
