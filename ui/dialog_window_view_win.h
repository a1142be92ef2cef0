// The main dialog's view realised on its window: controls through the dialog layer, the lists
// as its combo boxes, the menus from the resources, and Browse's balloon tooltip.
#pragma once

#include "ui/balloon_tooltip_win.h"
#include "ui/combo_box_win.h"
#include "ui/dialog_win.h"
#include "ui/main_dialog_view.h"

#include <string>

namespace qv {

// The menu resource of a language.
int MenuResource(InterfaceLanguage language);

class DialogWindowView final : public MainDialogView {
  public:
    explicit DialogWindowView(Dialog& dialog) : dialog_(dialog) {}

    // Binds the view to the dialog's window once it exists, before any menu is set.
    void Attach();
    // Goes before the window does.
    void DestroyTooltip() { tooltip_.Destroy(); }
    HWND Tooltip() const { return tooltip_.Window(); }
    // Browse's tooltip is made when the pointer first comes over Browse, not before the first
    // paint; until then its text waits here.
    void MakeBrowseTooltip();
    ComboBoxList& Combo(int id);

    // A control is changed only when it differs: the rules set many controls to what they
    // already are, and every change costs the window system a round trip.
    void Enable(int id, bool enable) override;
    bool IsChecked(int id) const override { return dialog_.IsItemChecked(id); }
    void Check(int id, bool check) override;
    void SetText(int id, std::wstring_view text) override;
    ListBox& List(int id) override { return Combo(id); }
    void SetSpinRange(int lowest, int highest) override;
    void SetTitle(std::wstring_view title) override;
    void ShowMenu(InterfaceLanguage language) override;
    // The window grows or shrinks so that the template's controls keep their room below the bar.
    void KeepTemplateClientHeight();
    void SetBrowseTooltip(std::wstring_view text) override;

  private:
    Dialog& dialog_;
    ComboBoxList visualStudio_, fluent_, matlab_;
    BalloonTooltip tooltip_;
    std::wstring browseTooltipText_;
    int clientHeight_ = 0; // the template's, which a menu bar must not take from
};

} // namespace qv
