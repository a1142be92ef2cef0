#include "launch/startup_file/startup_file.h"

#include "base/text.h"

namespace qv {

std::wstring StartupFilePath(std::wstring_view homeFolder) {
    return FormatText(L"%s\\.fluent", {homeFolder});
}

std::wstring StartupBackupPath(std::wstring_view homeFolder) {
    return FormatText(L"%s\\%s", {homeFolder, L".fluent(Quorvex).backup"});
}

std::wstring NumberedBackupPath(std::wstring_view backup, int number) {
    return FormatText(L"%s.%s", {backup, std::to_wstring(number)});
}

bool IsLauncherStartupText(std::string_view text) {
    return text.substr(0, 10) == "(fast-load" && text.find("loader.bin") != text.npos &&
           text.find("QUORVEX_PATH") != text.npos && text.find("(the-environment)") != text.npos;
}

} // namespace qv
