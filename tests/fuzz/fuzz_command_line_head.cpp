// The program at the head of a web-page program's command line, as an association in the
// registry holds it.
#include "base/command_line_head.h"
#include "fuzz_input.h"

#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const std::wstring command = input.Text();
    std::set<std::wstring> files;
    while (!input.Empty())
        files.insert(input.Text());
    const auto program = qv::ProgramAtHead(
        command, [&](const std::wstring& path) { return files.count(path) != 0; });
    if (!program) return 0;
    QV_FUZZ_CHECK(!program->empty());
    // The program is written in the line, right after any blanks that lead it.
    const std::size_t at = command.find(*program);
    QV_FUZZ_CHECK(at != std::wstring::npos);
    const bool quoted = command.find_first_not_of(L" \t") < command.size() &&
                        command[command.find_first_not_of(L" \t")] == L'"';
    // Unquoted, it is a file of this machine named .exe.
    if (!quoted) QV_FUZZ_CHECK(files.count(*program) != 0);
    return 0;
}
