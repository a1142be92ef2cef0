// Whether the Visual Studio chosen for a launch can build UDFs for the chosen Fluent: its year,
// its components, and where its tools folder puts the add-on's extension and the settings tool.
#pragma once

#include "discovery/visual_studio.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum class VisualStudioProblem {
    None,
    UnsupportedYear, // the list's text is no supported year
    CSharpMissing,   // 2010 only
    Compiler64Missing,
    Compiler32Missing,
    MfcMissing,
};

struct VisualStudioJudgement {
    VisualStudioProblem problem = VisualStudioProblem::UnsupportedYear;
    // The installation of the chosen year; null for an unsupported year.
    const VisualStudioInstallation* installation = nullptr;
};

// The first problem of the installation whose year the list's selected text names, in the order
// C# (2010), the compiler of Fluent's bitness, MFC. Only the compiler Fluent needs is required.
VisualStudioJudgement JudgeVisualStudio(const std::vector<VisualStudioInstallation>& installations,
                                        std::wstring_view selectedText, bool fluent64);

// The tools folder as the variable VS<n>0COMNTOOLS gives it: trailing "/" and "\" removed, then
// the white space around it.
std::wstring ToolsFolderFromVariable(std::wstring_view value);

// Every year but 2010 needs the add-on's extension in Visual Studio's own folders.
bool NeedsQuorvexExtension(std::wstring_view year);
std::wstring QuorvexExtensionPath(std::wstring_view toolsFolder);

// Visual Studio 2019's settings tool and the command that keeps its start page from hiding the
// add-on's menu.
std::wstring SettingsToolPath(std::wstring_view toolsFolder);
std::wstring SettingsToolCommandLine(std::wstring_view settingsTool);

} // namespace qv
