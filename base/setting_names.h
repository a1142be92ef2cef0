// The value names of the launcher's per-user settings key. Earlier releases stored them under
// these names, so they never change.
#pragma once

namespace qv::settings {

inline constexpr wchar_t EnglishInterface[] = L"IsUsingEnglishLanguage"; // "true" / "false"
inline constexpr wchar_t FluentFoldersUsed[] = L"FluentPathsUsed";       // chosen folder first
inline constexpr wchar_t VisualStudioUsed[] = L"VcVerUsed";              // "10" ... "16"
inline constexpr wchar_t MatlabUsed[] = L"MatlabVerUsed";                // e.g. "2019b"
inline constexpr wchar_t FluentStartFolder[] = L"FluentStartPath";       // Fluent's working folder
inline constexpr wchar_t ShowWorkbenchTip[] = L"IsWorkbenchTipShow";     // "false" hides it
inline constexpr wchar_t AutomaticUpdateCheck[] = L"AutoUpdateEnabled";  // "false" switches it off

} // namespace qv::settings
