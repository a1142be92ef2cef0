// Small text files of other programs (release and version files), read as the C runtime's text
// mode reads them, line by line.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace qv {

// The whole text, or nothing when the file cannot be opened. Reading stops after maxCharacters:
// the files read this way hold a few words, and a huge one must not stall discovery.
[[nodiscard]] std::optional<std::wstring> ReadTextFile(const std::wstring& path,
                                                       std::size_t maxCharacters = 1 << 20);

} // namespace qv
