#include "discovery/text_file_win.h"

#include <cstdio>
#include <memory>

namespace qv {

std::optional<std::wstring> ReadTextFile(const std::wstring& path, std::size_t maxCharacters) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"rt"), &std::fclose);
    if (!file) return std::nullopt;
    std::wstring text;
    wchar_t line[1024];
    while (text.size() < maxCharacters && std::fgetws(line, 1024, file.get()))
        text += line;
    return text;
}

} // namespace qv
