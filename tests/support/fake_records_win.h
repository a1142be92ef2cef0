// Reading what the stand-ins in tests/fakes recorded (format in tests/fakes/fake_record.h).
#pragma once

#include "tests/fakes/fake_record.h"
#include "tests/support/simulated_install_win.h"

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::test {

struct FakeRecord {
    std::wstring path;
    std::vector<std::pair<std::wstring, std::wstring>> entries; // in file order, unescaped

    // The first value of the key, or "" when it is absent.
    std::wstring Value(std::wstring_view key) const;
    std::vector<std::wstring> Values(std::wstring_view key) const;
    std::vector<std::wstring> Argv() const { return Values(fake::key::Argv); }
    // A variable of the recorded environment, its name compared ignoring case.
    std::optional<std::wstring> Variable(std::wstring_view name) const;
    DWORD ProcessId() const;
};

std::optional<FakeRecord> ReadFakeRecord(const std::wstring& path);
// All records of one program (e.g. L"fl2520s") in the folder.
std::vector<FakeRecord> ReadFakeRecords(const std::wstring& folder, std::wstring_view program);
// The record of one process, waited for (handling messages) until it appears or time runs out.
std::optional<FakeRecord>
WaitForFakeRecord(const std::wstring& folder, std::wstring_view program, DWORD processId,
                  std::chrono::milliseconds timeout = std::chrono::seconds(20));

// The stand-ins the test runner names in QV_FAKES32_DIR and QV_FAKES64_DIR.
FakeProgramFolders FakeProgramFoldersFromEnvironment();

} // namespace qv::test
