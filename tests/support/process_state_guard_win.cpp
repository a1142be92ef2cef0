// Every test must leave this process's environment variables and current folder as it found
// them: the programs later tests start inherit both. A test that does not fails, names what it
// changed, and the state is put back so that the next test starts clean.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
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

ProcessState CurrentProcessState() {
    ProcessState state;
    wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = block; entry && *entry; entry += std::wcslen(entry) + 1) {
        const std::wstring text = entry;
        // The hidden per-drive folders ("=D:=D:\x") follow the current folder, compared on its own.
        const std::size_t equals = text.find(L'=', 1);
        if (text[0] == L'=' || equals == std::wstring::npos) continue;
        const std::wstring name = text.substr(0, equals);
        state.variables[UpperCase(name)] = {name, text.substr(equals + 1)};
    }
    if (block) ::FreeEnvironmentStringsW(block);
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    state.currentFolder.resize(size);
    state.currentFolder.resize(::GetCurrentDirectoryW(size, state.currentFolder.data()));
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
                ADD_FAILURE() << "the test left " << now->second.first << "=" << now->second.second
                              << " (was " << name << "=" << value << ")";
                ::SetEnvironmentVariableW(name.c_str(), nullptr);
            } else {
                continue;
            }
            ::SetEnvironmentVariableW(name.c_str(), value.c_str());
        }
        for (const auto& [key, variable] : after.variables) {
            if (before_.variables.count(key)) continue;
            ADD_FAILURE() << "the test left the environment variable " << variable.first << "="
                          << variable.second;
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
