#include "ui/main_dialog_rules.h"

#include "base/text.h"
#include "launch/record/launch_options.h"
#include "resources/resource.h"
#include "texts/discovery_texts.h"
#include "texts/main_dialog_texts.h"

namespace qv {

namespace texts = main_dialog_texts;

namespace {

// Fluent versions as the rules compare them: the leading integer of the entry, the release year
// from 2019 R1 on ("2022 R2"), the major version before ("19.2.0"), 0 for "Not found".
constexpr long FirstChineseFluent = 2020;
constexpr long FirstWorkbenchStart = 12;
constexpr long FirstOneCoreParallel = 2023;
constexpr long OneCoreParallelYear = 2022; // from its second release

std::wstring SelectedFluentEntry(MainDialogView& view) {
    ListBox& fluent = view.List(IDC_FLUENT_LIST);
    return fluent.Count() > 0 ? fluent.Text(fluent.Selection()) : L"";
}

const TextPair& FirstModeLabel(std::wstring_view fluentEntry) {
    return ShowsOneCoreParallel(fluentEntry) ? texts::OneCoreParallel : texts::Serial;
}

// Back to a direct start: the controls the Workbench start had taken come back; the count's edit
// only in parallel mode.
void EnableDirectStartControls(MainDialogView& view, bool parallel) {
    view.SetText(IDC_DIMENSION_GROUP, Pick(texts::Dimension));
    for (int id : {IDC_2D, IDC_3D, IDC_SERIAL, IDC_DOUBLE_PRECISION, IDC_PARALLEL})
        view.Enable(id, true);
    if (parallel) view.Enable(IDC_PROCESS_COUNT, true);
}

// A list that holds nothing but the placeholder of the other language gets this language's.
void TranslatePlaceholder(ListBox& list, const TextPair& placeholder, InterfaceLanguage language) {
    const auto other = language == InterfaceLanguage::English ? InterfaceLanguage::Chinese
                                                              : InterfaceLanguage::English;
    if (list.Count() != 1 || list.Text(0) != Pick(placeholder, other)) return;
    list.Delete(0);
    list.Append(Pick(placeholder, language));
    list.Select(0);
}

} // namespace

bool ShowsOneCoreParallel(std::wstring_view fluentEntry) {
    const long n = ReadLeadingInt(fluentEntry);
    return n >= FirstOneCoreParallel || (n == OneCoreParallelYear && Contains(fluentEntry, L"R2"));
}

void ApplyInitialControlStates(MainDialogView& view, std::uint32_t processCount) {
    view.Check(IDC_DOUBLE_PRECISION, false);
    view.Check(IDC_SERIAL, true);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        view.Enable(id, false);
    view.SetText(IDC_PROCESS_COUNT, std::to_wstring(processCount));
    for (int id : {IDC_START_BY_WORKBENCH, IDC_DOUBLE_PRECISION, IDC_PARALLEL})
        view.Enable(id, true);
    view.SetSpinRange(static_cast<int>(MinProcessCount), static_cast<int>(MaxProcessCount));
    view.Enable(IDC_PROCESS_SPIN, false);
    view.Enable(IDC_PROCESS_COUNT, false);
}

void ApplyFluentVersionRule(MainDialogView& view, int index, ProcessingMode processingMode) {
    ListBox& fluent = view.List(IDC_FLUENT_LIST);
    const std::wstring entry = index >= 0 && index < fluent.Count() ? fluent.Text(index) : L"";
    const long n = ReadLeadingInt(entry);

    if (n < FirstChineseFluent) view.Check(IDC_CHINESE_FLUENT, false);
    view.Enable(IDC_CHINESE_FLUENT, n >= FirstChineseFluent);

    if (n < FirstWorkbenchStart && view.IsChecked(IDC_START_BY_WORKBENCH)) {
        view.Check(IDC_START_BY_WORKBENCH, false);
        EnableDirectStartControls(view, processingMode == ProcessingMode::Parallel);
    }
    view.Enable(IDC_START_BY_WORKBENCH, n >= FirstWorkbenchStart);

    view.SetText(IDC_SERIAL, Pick(FirstModeLabel(entry)));
}

void ApplyModeRule(MainDialogView& view, bool parallel) {
    view.Check(IDC_SERIAL, !parallel);
    view.Check(IDC_PARALLEL, parallel);
    view.Enable(IDC_PROCESS_SPIN, parallel);
    view.Enable(IDC_PROCESS_COUNT, parallel);
}

void ApplyWorkbenchRule(MainDialogView& view) {
    // Decided by the check marks, which the exchange before this rule read into the options,
    // unless a process count that is no number stopped it before their fields.
    if (!view.IsChecked(IDC_START_BY_WORKBENCH)) {
        EnableDirectStartControls(view, view.IsChecked(IDC_PARALLEL));
        return;
    }
    for (int id :
         {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL, IDC_PARALLEL, IDC_PROCESS_COUNT})
        view.Enable(id, false);
    view.SetText(IDC_DIMENSION_GROUP, Pick(texts::DimensionSetInWorkbench));
}

void ApplyMatlabRule(MainDialogView& view) {
    const bool call = view.IsChecked(IDC_CALL_MATLAB);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        view.Enable(id, call);
}

void RefreshDialogTexts(MainDialogView& view, InterfaceLanguage language) {
    const std::wstring entry = SelectedFluentEntry(view);
    view.SetText(IDC_DIMENSION_GROUP,
                 Pick(view.IsChecked(IDC_START_BY_WORKBENCH) ? texts::DimensionSetInWorkbench
                                                             : texts::Dimension,
                      language));
    view.SetText(IDC_SERIAL, Pick(FirstModeLabel(entry), language));
    for (const auto& control : texts::FixedControlTexts)
        view.SetText(control.id, Pick(control.text, language));
    // Browse draws only its icon: its text is what screen readers name it by.
    view.SetText(IDC_BROWSE, Pick(texts::BrowseTooltip, language));
    view.SetBrowseTooltip(Pick(texts::BrowseTooltip, language));
    TranslatePlaceholder(view.List(IDC_VS_LIST), placeholders::VisualStudioNotFound, language);
    TranslatePlaceholder(view.List(IDC_FLUENT_LIST), placeholders::FluentNotFound, language);
    TranslatePlaceholder(view.List(IDC_MATLAB_LIST), placeholders::MatlabNotFound, language);
}

void ShowInterfaceLanguage(MainDialogView& view, InterfaceLanguage language) {
    SetInterfaceLanguage(language);
    view.SetTitle(Pick(texts::Title, language));
    view.ShowMenu(language);
    RefreshDialogTexts(view, language);
}

} // namespace qv
