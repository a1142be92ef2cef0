// The dialogs' pictures are the bitmaps made for their controls' size on this screen, drawn pixel
// for pixel rather than stretched from another size.
#include "resources/resource.h"
#include "tests/support/picture_reading_win.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"
#include "ui/workbench_tip_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace qv {
namespace {

// The control's pixels once its dialog has painted, against the program's bitmap of that size:
// opaque ones as they are, ones with alpha blended over the dialog's face.
void ExpectTheBitmapMadeForIt(HWND dialog, HWND control, const char* name) {
    SCOPED_TRACE(name);
    ::ShowWindow(dialog, SW_SHOWNA);
    ::RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Pixels drawn = test::ClientPixelsOf(control);
    ASSERT_GT(drawn.width, 0);
    const std::optional<test::BitmapOfSize> bitmap =
        test::FindBitmapOfSize(::GetModuleHandleW(nullptr), {drawn.width, drawn.height});
    ASSERT_TRUE(bitmap) << "no bitmap was made for " << test::SizeText(drawn);
    const Pixels expected = bitmap->alpha
                                ? test::OverGround(bitmap->pixels, ::GetSysColor(COLOR_BTNFACE))
                                : bitmap->pixels;
    EXPECT_EQ(test::DifferingPixels(drawn, expected, 1), 0) << "bitmap " << bitmap->id;
}

TEST(PictureArt, EachPictureIsTheBitmapMadeForItsControlsSize) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    test::ScriptedPrompts prompts;
    {
        Modeless<CLauncherDlg> dialog;
        ASSERT_TRUE(dialog.Open());
        ExpectTheBitmapMadeForIt(dialog.Window(), dialog.Item(IDC_BANNER), "banner");
        ExpectTheBitmapMadeForIt(dialog.Window(), dialog.Item(IDC_LOGO), "logo");
    }
    Modeless<CWorbenchWarningDlg> tip{nullptr};
    ASSERT_TRUE(tip.Open());
    ExpectTheBitmapMadeForIt(tip.Window(), tip.Item(IDC_TIP_PICTURE), "Workbench illustration");
    EXPECT_TRUE(prompts.messages.empty());
}

} // namespace
} // namespace qv
