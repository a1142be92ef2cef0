#include "tests/support/scoped_variable_win.h"

#include "base/environment_win.h"

#include <windows.h>

#include <cwchar>

namespace qv::test {
namespace {

// The name as the environment stores it: Windows finds a variable ignoring case, but Wine hands
// the exact spelling on to the Unix side of the programs it starts (LANG is not lang there).
std::wstring StoredName(const std::wstring& name) {
    std::wstring stored = name;
    wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = block; entry && *entry; entry += std::wcslen(entry) + 1) {
        if (std::wcslen(entry) > name.size() && entry[name.size()] == L'=' &&
            ::CompareStringOrdinal(entry, static_cast<int>(name.size()), name.c_str(),
                                   static_cast<int>(name.size()), TRUE) == CSTR_EQUAL) {
            stored.assign(entry, name.size());
            break;
        }
    }
    if (block) ::FreeEnvironmentStringsW(block);
    return stored;
}

} // namespace

ScopedVariable::ScopedVariable(std::wstring name)
    : name_(StoredName(name)), saved_(FindEnvironmentVariable(name_)) {}

ScopedVariable::~ScopedVariable() {
    RemoveEnvironmentVariable(name_);
    if (saved_) SetEnvironmentVariableText(name_, *saved_);
}

bool ScopedVariable::Set(std::wstring_view value) const {
    return SetEnvironmentVariableText(name_, value);
}

bool ScopedVariable::Remove() const {
    return RemoveEnvironmentVariable(name_);
}

} // namespace qv::test
