// The list-box operations discovery and the main dialog's rules need, so that list logic runs
// against a real combo box in the dialog and against a plain list in tests.
#pragma once

#include <string>
#include <string_view>

namespace qv {

class ListBox {
  public:
    virtual ~ListBox() = default;
    virtual int Count() const = 0;
    virtual std::wstring Text(int index) const = 0;
    virtual void Delete(int index) = 0;
    virtual void Append(std::wstring_view text) = 0;
    virtual void Select(int index) = 0;
    // The selected index, -1 when none is.
    virtual int Selection() const = 0;
};

} // namespace qv
