// Message patterns filled with texts from outside: folder names, versions, release texts.
#include "base/text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::size_t argumentCount = input.Byte() % 4;
    const std::wstring pattern = input.Text();
    std::vector<std::wstring> arguments;
    for (std::size_t i = 0; i < argumentCount; ++i)
        arguments.push_back(input.Text());
    std::vector<std::wstring_view> views(arguments.begin(), arguments.end());
    views.resize(3);

    std::wstring result;
    switch (argumentCount) {
    case 0:
        result = qv::FormatText(pattern, {});
        break;
    case 1:
        result = qv::FormatText(pattern, {views[0]});
        break;
    case 2:
        result = qv::FormatText(pattern, {views[0], views[1]});
        break;
    default:
        result = qv::FormatText(pattern, {views[0], views[1], views[2]});
        break;
    }
    std::size_t argumentLength = 0;
    for (const std::wstring& argument : arguments)
        argumentLength += argument.size();
    QV_FUZZ_CHECK(result.size() <= pattern.size() + argumentLength);
    if (pattern.find(L'%') == std::wstring::npos) QV_FUZZ_CHECK(result == pattern);

    // An argument is never read as a pattern: a folder name holding "%s" shows as it is.
    const std::wstring framed = qv::FormatText(L"\"%s\" (%d)", {views[0], views[1]});
    QV_FUZZ_CHECK(framed ==
                  L"\"" + std::wstring(views[0]) + L"\" (" + std::wstring(views[1]) + L")");
    return 0;
}
