#include "base/command_line_head.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

TEST(CommandLineHead, TheProgramOfAnAssociationsCommandAsTheSystemReadsItWithoutItsGuesses) {
    // The files of this machine, a planted C:\Program.exe among them.
    const std::set<std::wstring> files{L"C:\\Program.exe",
                                       L"C:\\Program Files\\Web Browser\\browser.exe",
                                       L"C:\\Tools\\view.EXE", L"C:\\Tools\\plain"};
    const auto isFile = [&](const std::wstring& path) { return files.count(path) != 0; };
    struct Case {
        const wchar_t* command;
        std::optional<std::wstring> program;
    };
    const std::vector<Case> cases{
        {L"\"C:\\Program Files\\Web Browser\\browser.exe\" -nohome \"%1\"",
         L"C:\\Program Files\\Web Browser\\browser.exe"},
        {L"C:\\Program Files\\Web Browser\\browser.exe -nohome \"%1\"",
         L"C:\\Program Files\\Web Browser\\browser.exe"},
        {L"  C:\\Program Files\\Web Browser\\browser.exe",
         L"C:\\Program Files\\Web Browser\\browser.exe"},
        {L"C:\\Tools\\view.EXE\t\"%1\"", L"C:\\Tools\\view.EXE"},
        // Quoted as written, even when it is not there: the start then fails by itself.
        {L"\"C:\\Missing\\b.exe\" \"%1\"", L"C:\\Missing\\b.exe"},
        {L"\"C:\\Tools\\view.EXE", L"C:\\Tools\\view.EXE"}, // a quote never closed
        // Only the planted file would fit as the system completes a name: nothing.
        {L"C:\\Program Files\\Web Browser\\browser -nohome \"%1\"", std::nullopt},
        {L"C:\\Tools\\plain \"%1\"", std::nullopt}, // no program named .exe
        {L"C:\\Missing\\b.exe \"%1\"", std::nullopt},
        {L"\"\" \"%1\"", std::nullopt},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgramAtHead(c.command, isFile), c.program) << std::wstring(c.command).size();
}

} // namespace
} // namespace qv
