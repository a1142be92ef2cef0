#include "ui/launch_options_exchange_win.h"

#include "base/message_wait_win.h"

#include "base/text.h"
#include "base/user_prompts_win.h"
#include "base/window_text_win.h"
#include "resources/resource.h"
#include "texts/settings_texts.h"

#include <string>
#include <vector>

namespace qv {

namespace {

// The radio buttons of the group that starts at firstId: that control and those after it in tab
// order, up to the next control that starts a group.
std::vector<HWND> RadioGroup(const Dialog& dialog, int firstId) {
    std::vector<HWND> radios;
    HWND control = dialog.Item(firstId);
    for (HWND item = control; item; item = ::GetWindow(item, GW_HWNDNEXT)) {
        if (item != control && (::GetWindowLongW(item, GWL_STYLE) & WS_GROUP)) break;
        if (::SendMessageW(item, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) radios.push_back(item);
    }
    return radios;
}

// An automatic radio button being checked unchecks the rest of its group, which it finds by
// walking every control of the dialog, once per member (under Wine several ms a group). The
// exchange sets each member itself, so the button is checked as a plain radio button.
void SetRadioCheck(HWND radio, bool check) {
    const LONG style = ::GetWindowLongW(radio, GWL_STYLE);
    // Checking a radio button also gives it the tab stop, and unchecking takes it away: a button
    // that has both as wanted is left as it is.
    const bool checked = ::SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked == check && ((style & WS_TABSTOP) != 0) == check) return;
    const bool automatic = (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    if (automatic) ::SetWindowLongW(radio, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON);
    ::SendMessageW(radio, BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
    // The check moved the tab stop to the checked button: only the type is put back.
    if (automatic)
        ::SetWindowLongW(radio, GWL_STYLE,
                         (::GetWindowLongW(radio, GWL_STYLE) & ~BS_TYPEMASK) | BS_AUTORADIOBUTTON);
}

void ExchangeRadio(const Dialog& dialog, int firstId, int& value, ExchangeDirection direction) {
    const std::vector<HWND> radios = RadioGroup(dialog, firstId);
    if (direction == ExchangeDirection::FromControls) {
        value = -1;
        for (std::size_t i = 0; i < radios.size(); ++i)
            if (::SendMessageW(radios[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = static_cast<int>(i);
        return;
    }
    for (std::size_t i = 0; i < radios.size(); ++i)
        SetRadioCheck(radios[i], static_cast<int>(i) == value);
}

template <typename Choice>
void ExchangeRadio(const Dialog& dialog, int firstId, Choice& choice, ExchangeDirection direction) {
    int index = static_cast<int>(choice);
    ExchangeRadio(dialog, firstId, index, direction);
    choice = static_cast<Choice>(index);
}

void ExchangeCheck(const Dialog& dialog, int id, int& value, ExchangeDirection direction) {
    HWND box = dialog.Item(id);
    if (direction == ExchangeDirection::FromControls) {
        value = static_cast<int>(::SendMessageW(box, BM_GETCHECK, 0, 0));
        return;
    }
    ::SendMessageW(box, BM_SETCHECK, value >= 0 && value <= 2 ? value : 0, 0);
}

bool IsSerialChosen(const Dialog& dialog) {
    auto mode = ProcessingMode::Serial;
    ExchangeRadio(dialog, IDC_SERIAL, mode, ExchangeDirection::FromControls);
    return mode == ProcessingMode::Serial;
}

// Shows the failure and leaves the user in the edit with its text selected.
bool FailAtProcessCount(const Dialog& dialog, const Message& message, const std::wstring& text) {
    ShowMessage(dialog.Window(), message.key, text, ProcessCountCaption, MB_OK | MB_ICONWARNING);
    HWND edit = dialog.Item(IDC_PROCESS_COUNT);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    return false;
}

} // namespace

bool ExchangeLaunchOptions(const Dialog& dialog, LaunchOptions& options,
                           ExchangeDirection direction) {
    ExchangeRadio(dialog, IDC_2D, options.dimension, direction);
    ExchangeRadio(dialog, IDC_STATIC_LINK, options.linkMode, direction);
    ExchangeCheck(dialog, IDC_DOUBLE_PRECISION, options.doublePrecision, direction);

    HWND countEdit = dialog.Item(IDC_PROCESS_COUNT);
    bool countPassedOver = false;
    if (direction == ExchangeDirection::ToControls) {
        ::SetWindowTextW(countEdit, std::to_wstring(options.processCount).c_str());
    } else {
        std::uint32_t count = 0;
        const bool isNumber = ParseUnsigned(WindowText(countEdit), count);
        // Serial mode uses no count, and a start by Workbench leaves it to Workbench; either keeps
        // the edit out of the user's reach: a count it could not use is passed over, the last
        // valid one stays and the other fields are read as usual. A wait that disables every
        // control for a while does not make a count unused.
        const bool outOfReach = !::IsWindowEnabled(countEdit) && !IsRefusedForAWait(countEdit);
        countPassedOver =
            !(isNumber && IsProcessCountInRange(count)) && (IsSerialChosen(dialog) || outOfReach);
        if (!countPassedOver) {
            if (!isNumber)
                return FailAtProcessCount(dialog, ProcessCountNotANumber,
                                          ProcessCountNotANumberText);
            options.processCount = count;
        }
    }

    ExchangeRadio(dialog, IDC_SERIAL, options.processingMode, direction);
    ExchangeCheck(dialog, IDC_CALL_COOLPROP, options.callCoolProp, direction);
    ExchangeCheck(dialog, IDC_CALL_FORTRAN, options.callIntelFortran, direction);
    ExchangeCheck(dialog, IDC_CALL_MATLAB, options.callMatlab, direction);
    ExchangeCheck(dialog, IDC_START_BY_WORKBENCH, options.startByWorkbench, direction);
    // The three lists are read by index when a step needs them; they carry no record field.

    if (direction == ExchangeDirection::FromControls && !countPassedOver &&
        !IsProcessCountInRange(options.processCount)) {
        const std::wstring text = ReplaceAll(
            ReplaceAll(ProcessCountOutOfRangeText, L"%1", std::to_wstring(MinProcessCount)), L"%2",
            std::to_wstring(MaxProcessCount));
        return FailAtProcessCount(dialog, ProcessCountOutOfRange, text);
    }
    return true;
}

} // namespace qv
