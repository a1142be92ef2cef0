// The single entry a list shows when discovery found nothing, in both languages.
#pragma once

#include "app/interface_language.h"

namespace qv::placeholders {

inline constexpr TextPair VisualStudioNotFound{L"need 2010~2019", L"需2010~2019"};
inline constexpr TextPair FluentNotFound{L"Not found", L"未发现"};
inline constexpr TextPair MatlabNotFound{L"need 2014~2021", L"需2014~2021"};

} // namespace qv::placeholders
