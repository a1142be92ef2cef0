// A static text of a dialog turned into a hyperlink: blue (purple once visited), underlined
// while the pointer is over it, a hand cursor and a tooltip, and its address opened on a click,
// on Enter or on releasing the space bar. It is a tab stop, framed by a focus rectangle while it
// has the focus. It subclasses the control and, once, its parent; both go back to their own
// procedures when they are destroyed, which must happen before the object goes.
#pragma once

#include "base/handles_win.h"
#include "texts/language.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

class CHyperLink {
  public:
    CHyperLink() = default;
    virtual ~CHyperLink() = default;
    CHyperLink(const CHyperLink&) = delete;
    CHyperLink& operator=(const CHyperLink&) = delete;

    // Makes the parent's control a link to the address; language chooses the tooltip's words
    // and stays as it is for the link's life.
    bool AttachHyperlink(HINSTANCE instance, InterfaceLanguage language, HWND parent, int controlId,
                         std::wstring_view address);
    // Opens the address with the shell, else with the program of web pages; visited afterwards.
    void OpenLink();

    const std::wstring& Address() const { return address_; }
    int ControlId() const { return controlId_; }
    HWND Tooltip() const { return tooltip_; }
    bool Visited() const { return visited_; }

  protected:
    // The pointer or the focus came onto the link, or left it. Nothing happens here.
    virtual void OnLinkEnter() {}
    virtual void OnLinkLeave() {}

  private:
    static LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    static LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam);
    LRESULT HandleControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(HWND control, LPARAM position);
    void OnCaptureLost(HWND control);
    void Detach(HWND control);

    std::wstring address_;
    HWND tooltip_ = nullptr; // owned by the parent window
    int controlId_ = 0;
    HCURSOR cursor_ = nullptr; // shared system cursor
    UniqueFont underlineFont_;
    bool hovering_ = false;
    bool visited_ = false;
    HFONT savedFont_ = nullptr;
    WNDPROC savedProcedure_ = nullptr;
};

// A tooltip for the control, owned by the parent, whose text is the link's tooltip text; none
// without a parent or an address.
HWND CreateLinkTooltip(HINSTANCE instance, HWND control, HWND parent, std::wstring_view address,
                       InterfaceLanguage language);

// Draws, or on a second call removes, a focus rectangle one pixel around the control.
void DrawLinkFocusRect(HWND control);

} // namespace qv
