// Fluent 12's console as the solver stand-in shows it: a frame of Fluent 12's MFC class holding a
// multi-line edit. It notes how text arrives (pasted or typed) and the line entered with Enter.
#pragma once

#include <windows.h>

#include <string>

namespace qv::fake {

class Console {
  public:
    // Shows the console; false when it cannot be made.
    bool Show(HINSTANCE instance);
    bool Entered() const { return entered_; }
    const std::wstring& Line() const { return line_; }
    // pasted, typed, both or none.
    std::wstring Entry() const;

  private:
    static LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    WNDPROC editDefault_ = nullptr;
    bool pasted_ = false;
    bool typed_ = false;
    bool entered_ = false;
    std::wstring line_;
};

} // namespace qv::fake
