// Whether every text of a dialog fits its control: each text measured in a font against the room
// its control leaves it, the way the control draws it (one line or word-wrapped, beside a check
// mark, inside a button's edge or a group box's frame, beside a drop-down's button). Works on a
// dialog of this process or of another one.
#pragma once

#include "base/handles_win.h"

#include <windows.h>

#include <string>
#include <vector>

namespace qv::test {

// A text its control cannot show whole, with the room it needs and the room it has, in pixels.
struct CutText {
    int id;
    std::wstring text;
    SIZE needed;
    SIZE room;
};

// One line per cut text, for a failure's message; empty when nothing is cut.
std::wstring Describe(const std::vector<CutText>& cut);

// The texts of the dialog's controls (and the entries of its drop-down lists) that do not fit,
// measured in font, or in each control's own font when font is null, on a screen of dpi dots per
// inch.
std::vector<CutText> CutTextsOf(HWND dialog, HFONT font, int dpi);

// The font the dialog template templateId of module names, as the dialog manager makes it for a
// screen of dpi dots per inch; none when the template names no font.
UniqueFont TemplateFont(HMODULE module, int templateId, int dpi);

// The screen's dots per inch in this process.
int ScreenDpi();

} // namespace qv::test
