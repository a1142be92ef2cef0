// The folder the programs of a launch start in.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// The folder Fluent starts in, made the launcher's current folder for the rest of its run: the
// setting FluentStartPath when it names a folder, else the home folder, else C:\Users.
void SetStartFolder(std::wstring_view homeFolder);

} // namespace qv
