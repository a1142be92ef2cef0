// The Fluent list as folders from the settings, the environment and Browse arrive, each with
// the release folders its disk holds, and the remembered text written back from it.
#include "base/text.h"
#include "discovery/fluent_discovery.h"
#include "discovery/fluent_versions.h"
#include "fuzz_input.h"
#include "tests/support/memory_list_box.h"

#include <map>

namespace {

constexpr const wchar_t* NotFound = L"Not found";

using EntryList = qv::test::MemoryListBox;

// The box shows exactly the list's entries, or only the not-found entry while there are none.
void CheckParallel(const EntryList& box, const qv::FluentList& list, bool startedEmpty) {
    const auto& entries = list.Entries();
    if (entries.empty()) {
        QV_FUZZ_CHECK(box.entries == (startedEmpty ? std::vector<std::wstring>{}
                                                   : std::vector<std::wstring>{NotFound}));
        return;
    }
    QV_FUZZ_CHECK(box.entries.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QV_FUZZ_CHECK(box.entries[i] == entries[i].label);
        QV_FUZZ_CHECK(qv::NormaliseFolderPath(entries[i].folder) == entries[i].folder);
    }
}

// Written and read back, the remembered text names the selected folder first, then the others
// in list order: unless a folder holds ";", which the text cannot carry.
void CheckRemembered(const qv::FluentList& list, int selected) {
    const auto& entries = list.Entries();
    if (selected < 0 || selected >= static_cast<int>(entries.size())) return;
    std::vector<std::wstring> expected{entries[selected].folder};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (qv::Contains(entries[i].folder, L";")) return;
        if (static_cast<int>(i) != selected) expected.push_back(entries[i].folder);
    }
    QV_FUZZ_CHECK(qv::SplitRememberedFluentPaths(list.RememberedFluentPaths(selected)) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    const bool startedEmpty = input.Byte() & 1;
    // What each folder holds on disk; like the real listing, an empty folder holds nothing.
    std::map<std::wstring, std::vector<std::wstring>> disk;
    EntryList box;
    if (!startedEmpty) box.Append(NotFound);
    qv::FluentList list(box, [&disk](std::wstring_view folder) {
        const auto it = disk.find(std::wstring(folder));
        return folder.empty() || it == disk.end() ? std::vector<std::wstring>{} : it->second;
    });

    for (int step = 0; step < 16 && !input.Empty(); ++step) {
        const std::uint8_t flags = input.Byte();
        const std::wstring folder = input.Text();
        std::vector<std::wstring> releases(flags >> 1 & 3);
        for (std::wstring& release : releases)
            release = input.Text();
        if (!releases.empty()) disk[qv::NormaliseFolderPath(folder)] = releases;
        list.AddFluentFolder(flags & 1, folder);
        CheckParallel(box, list, startedEmpty);
        QV_FUZZ_CHECK(box.invalidSelections == 0);
    }
    CheckRemembered(list, box.selection);
    CheckRemembered(list, static_cast<int>(list.Entries().size()) - 1);
    return 0;
}
