// This process's environment, which the programs it starts inherit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

// Every "NAME=value" entry as stored, the hidden per-drive ones ("=C:=C:\x") included.
std::vector<std::wstring> EnvironmentEntries();

// One variable owned for a scope: whatever the scope does to it, its earlier value, or its
// absence, comes back at the end.
class ScopedVariable {
  public:
    explicit ScopedVariable(std::wstring name);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    [[nodiscard]] bool Set(std::wstring_view value) const;
    [[nodiscard]] bool Remove() const;

  private:
    std::wstring name_;
    std::optional<std::wstring> saved_;
};

} // namespace qv::test

namespace qv::test {

// The whole environment owned for a scope, for tests of code that sets many variables (a launch
// prepares a dozen): every variable is as before at the end, and none is left over.
class ScopedEnvironment {
  public:
    ScopedEnvironment();
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::vector<std::wstring> saved_;
};

} // namespace qv::test
