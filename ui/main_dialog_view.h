// The main dialog as its rules see it: controls by id, its three lists, the spin's range, and
// the window's title, menu and Browse tooltip. The dialog realises it on its window; tests and
// fuzz targets on plain values.
#pragma once

#include "discovery/list_box.h"
#include "texts/language.h"

#include <string_view>

namespace qv {

class MainDialogView {
  public:
    virtual ~MainDialogView() = default;
    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsChecked(int id) const = 0;
    virtual void Check(int id, bool check) = 0;
    virtual void SetText(int id, std::wstring_view text) = 0;
    // The drop-down lists of Visual Studio, Fluent and MATLAB versions, by their ids.
    virtual ListBox& List(int id) = 0;
    virtual void SetSpinRange(int lowest, int highest) = 0;
    virtual void SetTitle(std::wstring_view title) = 0;
    virtual void ShowMenu(InterfaceLanguage language) = 0;
    // Replaces Browse's tooltip by a new one with this text.
    virtual void SetBrowseTooltip(std::wstring_view text) = 0;
};

} // namespace qv
