// A drop-down list of a dialog seen through the list operations discovery and the dialog's
// rules use.
#pragma once

#include "discovery/list_box.h"

#include <windows.h>

namespace qv {

class ComboBoxList final : public ListBox {
  public:
    explicit ComboBoxList(HWND combo = nullptr) : combo_(combo) {}
    void Attach(HWND combo) { combo_ = combo; }

    int Count() const override;
    std::wstring Text(int index) const override;
    void Delete(int index) override;
    void Append(std::wstring_view text) override;
    void Select(int index) override;
    int Selection() const override;

  private:
    HWND combo_;
};

} // namespace qv
