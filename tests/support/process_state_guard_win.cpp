// Every test must leave this process's environment variables and current folder as it found
// them: the programs later tests start inherit both. A test that does not fails, names what it
// changed, and the state is put back so that the next test starts clean.
#include "tests/support/file_tree_win.h"
#include "tests/support/process_environment_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace qv::test {
namespace {

struct ProcessState {
    // Windows compares variable names ignoring case: by the upper-case name, the name as stored
    // and the value.
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> variables;
    std::wstring currentFolder;
};

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A variable as a failure message shows it: long values cut short.
std::wstring Shown(const std::pair<std::wstring, std::wstring>& variable) {
    constexpr std::size_t Longest = 80;
    const std::wstring& value = variable.second;
    return variable.first + L"=" +
           (value.size() > Longest ? value.substr(0, Longest) + L"..." : value);
}

ProcessState CurrentProcessState() {
    ProcessState state;
    for (const std::wstring& entry : EnvironmentEntries()) {
        // The hidden per-drive folders ("=D:=D:\x") follow the current folder, compared on its own.
        const std::size_t equals = entry.find(L'=', 1);
        if (entry[0] == L'=' || equals == std::wstring::npos) continue;
        const std::wstring name = entry.substr(0, equals);
        state.variables[UpperCase(name)] = {name, entry.substr(equals + 1)};
    }
    state.currentFolder = CurrentFolder();
    return state;
}

class ProcessStateGuard final : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { before_ = CurrentProcessState(); }

    void OnTestEnd(const testing::TestInfo&) override {
        const ProcessState after = CurrentProcessState();
        for (const auto& [key, variable] : before_.variables) {
            const auto& [name, value] = variable;
            const auto now = after.variables.find(key);
            if (now == after.variables.end()) {
                ADD_FAILURE() << "the test removed the environment variable " << name;
            } else if (now->second != variable) {
                // Also a new spelling of the name: Wine hands it on to the Unix side exactly.
                ADD_FAILURE() << "the test left " << Shown(now->second) << " (was "
                              << Shown(variable) << ")";
                ::SetEnvironmentVariableW(name.c_str(), nullptr);
            } else {
                continue;
            }
            ::SetEnvironmentVariableW(name.c_str(), value.c_str());
        }
        for (const auto& [key, variable] : after.variables) {
            if (before_.variables.count(key)) continue;
            ADD_FAILURE() << "the test left the environment variable " << Shown(variable);
            ::SetEnvironmentVariableW(variable.first.c_str(), nullptr);
        }
        if (after.currentFolder != before_.currentFolder) {
            ADD_FAILURE() << "the test left the current folder at " << after.currentFolder;
            ::SetCurrentDirectoryW(before_.currentFolder.c_str());
        }
    }

    ProcessState before_;
};

// Registered when the program starts: this file is linked into every Windows test program.
[[maybe_unused]] const bool guardRegistered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new ProcessStateGuard);
    return true;
}();

} // namespace
} // namespace qv::test
