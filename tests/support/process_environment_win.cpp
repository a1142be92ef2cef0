#include "tests/support/process_environment_win.h"

#include "base/environment_win.h"

#include <windows.h>

#include <cwchar>
#include <utility>

namespace qv::test {
namespace {

// The name as the environment stores it: Windows finds a variable ignoring case, but Wine hands
// the exact spelling on to the Unix side of the programs it starts (LANG is not lang there).
std::wstring StoredName(const std::wstring& name) {
    for (const std::wstring& entry : EnvironmentEntries()) {
        if (entry.size() > name.size() && entry[name.size()] == L'=' &&
            ::CompareStringOrdinal(entry.c_str(), static_cast<int>(name.size()), name.c_str(),
                                   static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
            return entry.substr(0, name.size());
    }
    return name;
}

} // namespace

std::vector<std::wstring> EnvironmentEntries() {
    std::vector<std::wstring> entries;
    wchar_t* block = ::GetEnvironmentStringsW();
    if (!block) return entries;
    for (const wchar_t* entry = block; *entry; entry += std::wcslen(entry) + 1)
        entries.emplace_back(entry);
    ::FreeEnvironmentStringsW(block);
    return entries;
}

ScopedVariable::ScopedVariable(std::wstring name)
    : name_(StoredName(name)), saved_(FindEnvironmentVariable(name_)) {}

ScopedVariable::~ScopedVariable() {
    // A failed put-back shows in the run's check that no test leaves a variable changed.
    const bool restored =
        saved_ ? SetEnvironmentVariableText(name_, *saved_) : RemoveEnvironmentVariable(name_);
    static_cast<void>(restored);
}

bool ScopedVariable::Set(std::wstring_view value) const {
    return SetEnvironmentVariableText(name_, value);
}

bool ScopedVariable::Remove() const {
    return RemoveEnvironmentVariable(name_);
}

} // namespace qv::test

namespace qv::test {

namespace {

// Name and value of an entry; the hidden per-drive names begin with "=".
std::pair<std::wstring, std::wstring> SplitEntry(const std::wstring& entry) {
    const std::size_t equals = entry.find(L'=', 1);
    if (equals == std::wstring::npos) return {entry, L""};
    return {entry.substr(0, equals), entry.substr(equals + 1)};
}

} // namespace

ScopedEnvironment::ScopedEnvironment() : saved_(EnvironmentEntries()) {}

ScopedEnvironment::~ScopedEnvironment() {
    for (const std::wstring& entry : EnvironmentEntries()) {
        const std::wstring name = SplitEntry(entry).first;
        if (name[0] != L'=') ::SetEnvironmentVariableW(name.c_str(), nullptr);
    }
    for (const std::wstring& entry : saved_) {
        const auto [name, value] = SplitEntry(entry);
        if (name[0] != L'=') ::SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
}

} // namespace qv::test
