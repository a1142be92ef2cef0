// The messages shown in English in both interface languages, under the application's name: the
// settings store's write failure and the options exchange's process count checks.
#pragma once

#include "texts/language.h"

namespace qv {

inline constexpr wchar_t SettingsWriteFailureText[] =
    L"Recording data in the registry failed.\n"
    L"Restarting Quorvex Launcher as administrator may help.";
inline constexpr Message SettingsWriteFailure{"settings-write-failed", SettingsWriteFailureText,
                                              SettingsWriteFailureText};
inline constexpr const TextPair& SettingsWriteFailureCaption = captions::Application;

// %1 and %2 are the lowest and highest allowed counts.
inline constexpr wchar_t ProcessCountNotANumberText[] = L"Enter a positive integer.";
inline constexpr wchar_t ProcessCountOutOfRangeText[] = L"Enter an integer between %1 and %2.";
inline constexpr Message ProcessCountNotANumber{
    "process-count-not-a-number", ProcessCountNotANumberText, ProcessCountNotANumberText};
inline constexpr Message ProcessCountOutOfRange{
    "process-count-out-of-range", ProcessCountOutOfRangeText, ProcessCountOutOfRangeText};
inline constexpr const TextPair& ProcessCountCaption = captions::Application;

} // namespace qv
