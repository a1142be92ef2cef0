// The main dialog's rules under any sequence of the user's clicks, Fluent entries from folder
// names and language switches: the invariants the dialog promises hold after every step.
#include "base/text.h"
#include "fuzz_input.h"
#include "resources/resource.h"
#include "tests/support/memory_dialog_view.h"
#include "ui/main_dialog_rules.h"

namespace {

using qv::test::MemoryDialogView;

// Up to three entries, as a list shows them.
qv::test::MemoryListBox Entries(qv::fuzz::FuzzInput& input) {
    std::vector<std::wstring> entries(input.Byte() % 4);
    for (std::wstring& entry : entries)
        entry = input.Text();
    return qv::test::MemoryListBox(std::move(entries));
}

// What the user can do: click a control that is enabled, pick a Fluent entry, switch language.
void Click(MemoryDialogView& view, int id) {
    if (!view.IsEnabled(id)) return;
    view.Check(id, !view.IsChecked(id));
    if (id == IDC_START_BY_WORKBENCH) qv::ApplyWorkbenchRule(view);
    if (id == IDC_CALL_MATLAB) qv::ApplyMatlabRule(view);
}

void ClickMode(MemoryDialogView& view, bool parallel) {
    if (view.IsEnabled(parallel ? IDC_PARALLEL : IDC_SERIAL)) qv::ApplyModeRule(view, parallel);
}

void CheckInvariants(const MemoryDialogView& view, long fluentVersion) {
    const bool matlab = view.IsChecked(IDC_CALL_MATLAB);
    for (int id : {IDC_STATIC_LINK, IDC_DYNAMIC_LINK, IDC_MATLAB_LIST})
        QV_FUZZ_CHECK(view.IsEnabled(id) == matlab);
    if (fluentVersion < 2020)
        QV_FUZZ_CHECK(!view.IsEnabled(IDC_CHINESE_FLUENT) && !view.IsChecked(IDC_CHINESE_FLUENT));
    if (fluentVersion < 12)
        QV_FUZZ_CHECK(!view.IsEnabled(IDC_START_BY_WORKBENCH) &&
                      !view.IsChecked(IDC_START_BY_WORKBENCH));
    if (view.IsChecked(IDC_START_BY_WORKBENCH))
        for (int id :
             {IDC_2D, IDC_3D, IDC_DOUBLE_PRECISION, IDC_SERIAL, IDC_PARALLEL, IDC_PROCESS_COUNT})
            QV_FUZZ_CHECK(!view.IsEnabled(id));
    QV_FUZZ_CHECK(view.IsChecked(IDC_SERIAL) != view.IsChecked(IDC_PARALLEL));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qv::fuzz::FuzzInput input(data, size);
    MemoryDialogView view;
    qv::SetInterfaceLanguage(qv::InterfaceLanguage::English);
    qv::ApplyInitialControlStates(view, 1);
    qv::ApplyFluentVersionRule(view, 0, qv::ProcessingMode::Serial);
    long fluentVersion = 0;
    auto processingMode = qv::ProcessingMode::Serial; // as the last Workbench click read it

    for (int step = 0; step < 64 && !input.Empty(); ++step) {
        const std::uint8_t action = input.Byte();
        switch (action % 8) {
        case 0: { // discovery or Browse filled the Fluent list
            view.Entries(IDC_FLUENT_LIST) = Entries(input);
            [[fallthrough]];
        }
        case 1: { // the user picks an entry, maybe one that is not there
            qv::test::MemoryListBox& fluent = view.Entries(IDC_FLUENT_LIST);
            const int index = static_cast<int>(input.Byte()) % (fluent.Count() + 2) - 1;
            fluent.Select(index);
            qv::ApplyFluentVersionRule(view, index, processingMode);
            fluentVersion = qv::ReadLeadingInt(fluent.Text(index));
            break;
        }
        case 2:
            ClickMode(view, action & 8);
            break;
        case 3:
            if (view.IsEnabled(IDC_START_BY_WORKBENCH))
                processingMode = view.IsChecked(IDC_PARALLEL) ? qv::ProcessingMode::Parallel
                                                              : qv::ProcessingMode::Serial;
            Click(view, IDC_START_BY_WORKBENCH);
            break;
        case 4:
            Click(view, action & 8 ? IDC_CALL_MATLAB : IDC_CHINESE_FLUENT);
            break;
        case 5: // the other lists hold what discovery gave them
            view.Entries(action & 8 ? IDC_VS_LIST : IDC_MATLAB_LIST) = Entries(input);
            break;
        default: {
            const auto language =
                action & 8 ? qv::InterfaceLanguage::Chinese : qv::InterfaceLanguage::English;
            qv::ShowInterfaceLanguage(view, language);
            QV_FUZZ_CHECK(view.menu == language && !view.tooltip.empty());
            break;
        }
        }
        CheckInvariants(view, fluentVersion);
    }
    qv::SetInterfaceLanguage(qv::InterfaceLanguage::English);
    return 0;
}
