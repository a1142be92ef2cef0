// The main dialog as plain values, for the rules' tests and fuzz targets: what each control
// would show. Controls start enabled, unchecked and without text, as the rules find the
// template's controls once the initial states are applied. Pure, header only.
#pragma once

#include "resources/resource.h"
#include "tests/support/memory_list_box.h"
#include "ui/main_dialog_view.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace qv::test {

class MemoryDialogView final : public MainDialogView {
  public:
    void Enable(int id, bool enable) override { enabled[id] = enable; }
    bool IsChecked(int id) const override {
        const auto it = checked.find(id);
        return it != checked.end() && it->second;
    }
    void Check(int id, bool check) override { checked[id] = check; }
    void SetText(int id, std::wstring_view text) override { texts[id] = text; }
    ListBox& List(int id) override { return lists.at(id); }
    void SetSpinRange(int lowest, int highest) override { spinRange = {lowest, highest}; }
    void SetTitle(std::wstring_view text) override { title = text; }
    void ShowMenu(InterfaceLanguage language) override { menu = language; }
    void SetBrowseTooltip(std::wstring_view text) override {
        tooltip = text;
        ++tooltipsMade;
    }

    bool IsEnabled(int id) const {
        const auto it = enabled.find(id);
        return it == enabled.end() || it->second;
    }
    std::wstring Text(int id) const {
        const auto it = texts.find(id);
        return it == texts.end() ? L"" : it->second;
    }
    MemoryListBox& Entries(int id) { return lists.at(id); }

    std::map<int, bool> enabled, checked;
    std::map<int, std::wstring> texts;
    std::map<int, MemoryListBox> lists{
        {IDC_VS_LIST, {}}, {IDC_FLUENT_LIST, {}}, {IDC_MATLAB_LIST, {}}};
    std::pair<int, int> spinRange{0, 0};
    std::wstring title, tooltip;
    std::optional<InterfaceLanguage> menu;
    int tooltipsMade = 0;
};

} // namespace qv::test
