// Texts of the hyperlinks in dialogs: tooltip prefixes in both languages, and the message for a
// web-page program whose command line has no place for the address.
#pragma once

#include "texts/language.h"

namespace qv::hyperlink_texts {

// Shown before the address without its "mailto:", and before the address without its "http".
inline constexpr TextPair SendMailTo{L"Send email to ", L"发送email至"};
inline constexpr TextPair Visit{L"Visit http", L"访问http"};

// English in both languages, with the English caption.
inline constexpr Message NoPlaceForAddress{"hyperlink-no-place-for-address", L"error hyperlink",
                                           L"error hyperlink"};
inline constexpr TextPair NoPlaceForAddressCaption{L"Error", L"Error"};

} // namespace qv::hyperlink_texts
