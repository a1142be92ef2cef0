// The entry of a discovery list to preselect from the value remembered in the settings store.
#pragma once

#include "base/text.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The first entry whose key equals the remembered text without regard to case; 0 when none does.
template <typename Entry>
int RememberedIndex(const std::vector<Entry>& entries, std::wstring Entry::*key,
                    std::wstring_view remembered) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (EqualsNoCase(entries[i].*key, remembered)) return static_cast<int>(i);
    return 0;
}

} // namespace qv
