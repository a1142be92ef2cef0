// A list box as plain entries, for the pure tests and the fuzz targets: it holds what the
// dialog's combo box would show. Pure, header only.
#pragma once

#include "discovery/list_box.h"

#include <string>
#include <string_view>
#include <vector>

namespace qv::test {

class MemoryListBox final : public ListBox {
  public:
    MemoryListBox() = default;
    explicit MemoryListBox(std::vector<std::wstring> entries) : entries(std::move(entries)) {}

    int Count() const override { return static_cast<int>(entries.size()); }
    std::wstring Text(int index) const override {
        return index >= 0 && index < Count() ? entries[static_cast<std::size_t>(index)] : L"";
    }
    void Delete(int index) override {
        if (index < 0 || index >= Count()) return;
        entries.erase(entries.begin() + index);
        // As a combo box does: deleting the selected entry leaves none selected, one before it
        // moves the selection up with its entry.
        if (index == selection)
            selection = -1;
        else if (index < selection)
            --selection;
    }
    void Append(std::wstring_view text) override { entries.emplace_back(text); }
    void Select(int index) override {
        if (index < -1 || index >= Count()) ++invalidSelections;
        selection = index >= 0 && index < Count() ? index : -1;
    }
    int Selection() const override { return selection; }

    std::vector<std::wstring> entries;
    int selection = -1;
    int invalidSelections = 0; // indexes other than -1 that name no entry
};

} // namespace qv::test
