// The rules that keep the main dialog's controls consistent with each other and with the chosen
// Fluent version, and that put its texts in one language. Each changes exactly the controls it
// names, so a control's state can depend on the order of the user's actions.
#pragma once

#include "launch/record/launch_options.h"
#include "ui/main_dialog_view.h"

#include <cstdint>
#include <string_view>

namespace qv {

// "1-Core Parallel" instead of "Serial" for a Fluent entry: from 2023 on, and for 2022 R2.
bool ShowsOneCoreParallel(std::wstring_view fluentEntry);

// The states the dialog's initialisation gives its controls before the lists are filled.
void ApplyInitialControlStates(MainDialogView& view, std::uint32_t processCount);

// For the Fluent entry at index (none: version 0): Chinese Fluent from 2020, Workbench from 12,
// and the label of the first mode radio. processingMode is the one last exchanged.
void ApplyFluentVersionRule(MainDialogView& view, int index, ProcessingMode processingMode);

// A mode radio was clicked: only Parallel lets the process count be edited.
void ApplyModeRule(MainDialogView& view, bool parallel);

// "Start by WorkBench" was clicked (after the options were read): Workbench decides dimension,
// precision and processes itself. The spin is left as it is.
void ApplyWorkbenchRule(MainDialogView& view);

// "Call Matlab" was clicked: the link mode and the MATLAB list go with it.
void ApplyMatlabRule(MainDialogView& view);

// Every text of the dialog in one language, Browse's tooltip, and the placeholders of the lists
// translated; states and selections stay.
void RefreshDialogTexts(MainDialogView& view, InterfaceLanguage language);

// Makes the language the process's and shows it: title, menu, every text.
void ShowInterfaceLanguage(MainDialogView& view, InterfaceLanguage language);

} // namespace qv
