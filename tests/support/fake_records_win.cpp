#include "tests/support/fake_records_win.h"

#include "base/handles_win.h"
#include "base/text.h"
#include "tests/support/file_tree_win.h"
#include "tests/support/message_wait_win.h"
#include "tests/support/test_support_win.h"

namespace qv::test {
namespace {

std::wstring FromUtf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                          size);
    return text;
}

} // namespace

std::wstring FakeRecord::Value(std::wstring_view key) const {
    for (const auto& [name, value] : entries) {
        if (name == key) return value;
    }
    return L"";
}

std::vector<std::wstring> FakeRecord::Values(std::wstring_view key) const {
    std::vector<std::wstring> values;
    for (const auto& [name, value] : entries) {
        if (name == key) values.push_back(value);
    }
    return values;
}

std::optional<std::wstring> FakeRecord::Variable(std::wstring_view name) const {
    for (const auto& entry : Values(fake::key::Environment)) {
        // Names of the hidden per-drive variables ("=C:") begin with "=": look past it.
        const std::size_t equals = entry.find(L'=', 1);
        if (equals != std::wstring::npos &&
            EqualsNoCase(std::wstring_view(entry).substr(0, equals), name))
            return entry.substr(equals + 1);
    }
    return std::nullopt;
}

DWORD FakeRecord::ProcessId() const {
    std::uint32_t id = 0;
    return ParseUnsigned(Value(fake::key::ProcessId), id) ? id : 0;
}

std::optional<FakeRecord> ReadFakeRecord(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    FakeRecord record;
    record.path = path;
    const std::wstring text = FromUtf8(*bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring_view line = std::wstring_view(text).substr(start, end - start);
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring_view::npos)
            record.entries.emplace_back(std::wstring(line.substr(0, equals)),
                                        fake::UnescapeRecordValue(line.substr(equals + 1)));
        start = end + 1;
    }
    return record;
}

std::vector<FakeRecord> ReadFakeRecords(const std::wstring& folder, std::wstring_view program) {
    std::vector<FakeRecord> records;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(
        ::FindFirstFileW((folder + L"\\" + std::wstring(program) + L"-*.txt").c_str(), &entry));
    if (!find) return records;
    do {
        if (auto record = ReadFakeRecord(folder + L"\\" + entry.cFileName))
            records.push_back(std::move(*record));
    } while (::FindNextFileW(find.get(), &entry));
    return records;
}

std::optional<FakeRecord> WaitForFakeRecord(const std::wstring& folder, std::wstring_view program,
                                            DWORD processId, std::chrono::milliseconds timeout) {
    const std::wstring path =
        folder + L"\\" + std::wstring(program) + L"-" + std::to_wstring(processId) + L".txt";
    if (!WaitUntil([&] { return IsFile(path); }, timeout)) return std::nullopt;
    return ReadFakeRecord(path);
}

FakeProgramFolders FakeProgramFoldersFromEnvironment() {
    return {PathFromEnvironment("QV_FAKES32_DIR"), PathFromEnvironment("QV_FAKES64_DIR")};
}

} // namespace qv::test
