// The templates of the About box and the update dialog: every control where the layout puts it,
// in tab order, with the styles its role needs.
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/about_dlg_win.h"
#include "ui/update_dlg_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace qv {
namespace {

struct Control {
    int id;
    RECT units; // x, y, width, height
    DWORD styles;
};

// Controls in tab order at their dialog-unit rectangles; the dialog's client area as large as
// the template.
void ExpectLayout(const Dialog& dialog, SIZE templateSize, const std::vector<Control>& layout) {
    const auto map = [&](int x, int y) {
        RECT r{0, 0, x, y};
        ::MapDialogRect(dialog.Window(), &r);
        return POINT{r.right, r.bottom};
    };
    HWND item = ::GetWindow(dialog.Window(), GW_CHILD);
    for (const Control& control : layout) {
        ASSERT_NE(item, nullptr) << "missing control " << control.id;
        SCOPED_TRACE(control.id);
        EXPECT_EQ(::GetDlgCtrlID(item), control.id);
        RECT actual{};
        ::GetWindowRect(item, &actual);
        ::MapWindowPoints(HWND_DESKTOP, dialog.Window(), reinterpret_cast<POINT*>(&actual), 2);
        const POINT position = map(control.units.left, control.units.top);
        EXPECT_EQ(actual.left, position.x);
        EXPECT_EQ(actual.top, position.y);
        // The icon control too keeps its size: its icon is made to fit it.
        const POINT size = map(control.units.right, control.units.bottom);
        EXPECT_EQ(actual.right - actual.left, size.x);
        EXPECT_EQ(actual.bottom - actual.top, size.y);
        const auto style = static_cast<DWORD>(::GetWindowLongW(item, GWL_STYLE));
        EXPECT_EQ(style & control.styles, control.styles);
        item = ::GetWindow(item, GW_HWNDNEXT);
    }
    EXPECT_EQ(item, nullptr) << "more controls than the layout";
    RECT client{};
    ::GetClientRect(dialog.Window(), &client);
    const POINT size = map(templateSize.cx, templateSize.cy);
    EXPECT_EQ(client.right, size.x);
    EXPECT_EQ(client.bottom, size.y);
}

TEST(AboutAndUpdateLayout, AboutBoxControlsSitAtTheirRectangles) {
    Modeless<CAboutDlg> about(nullptr, true);
    ASSERT_TRUE(about.Open());
    // In the order they are read: each label just before its link, OK last.
    ExpectLayout(about, {150, 113},
                 {{IDC_DIALOG_ICON, {2, 2, 20, 20}, SS_ICON},
                  {IDC_PRODUCT_LINE, {30, 6, 97, 17}, 0},
                  {IDC_SITE_LABEL, {11, 25, 25, 8}, 0},
                  {IDC_SITE_LINK, {38, 25, 93, 8}, SS_NOTIFY | WS_TABSTOP},
                  {IDC_CHINA_LABEL, {5, 36, 62, 8}, 0},
                  {IDC_CHINA_LINK, {69, 36, 78, 8}, SS_NOTIFY | WS_TABSTOP},
                  {-1, {5, 48, 140, 32}, 0},
                  {IDC_AUTO_CHECK, {10, 83, 123, 8}, BS_AUTOCHECKBOX | WS_TABSTOP},
                  {IDOK, {50, 94, 50, 17}, BS_DEFPUSHBUTTON}});
    for (int id : {IDC_SITE_LINK, IDC_CHINA_LINK})
        EXPECT_EQ(::GetWindowLongW(about.Item(id), GWL_STYLE) & SS_TYPEMASK,
                  static_cast<DWORD>(SS_LEFTNOWORDWRAP))
            << id;
    EXPECT_EQ(::GetFocus(), about.Item(IDOK)) << "Enter and Esc close the box at once";
    // The fixed text: the acknowledgement, a line of dashes and the rights notice.
    const std::wstring fixed = test::TextOf(::GetWindow(about.Item(IDC_CHINA_LINK), GW_HWNDNEXT));
    EXPECT_NE(fixed.find(L"CoolProp"), std::wstring::npos);
    EXPECT_NE(fixed.find(L"\n-----"), std::wstring::npos);
    EXPECT_NE(fixed.find(L"Copyright"), std::wstring::npos);
}

TEST(AboutAndUpdateLayout, UpdateDialogControlsSitAtTheirRectangles) {
    Modeless<CUpdateDlg> update(ReleaseNumber{2025, 3, 0}, L"http://127.0.0.1:1", nullptr);
    ASSERT_TRUE(update.Open());
    ExpectLayout(update, {137, 83},
                 {{IDC_DIALOG_ICON, {4, 5, 13, 13}, SS_ICON},
                  {IDC_RELEASE_MESSAGE, {42, 3, 82, 32}, SS_LEFTNOWORDWRAP},
                  {IDC_DOWNLOAD_LINK, {42, 37, 60, 8}, SS_NOTIFY | WS_TABSTOP},
                  {IDC_AUTO_CHECK, {10, 48, 123, 8}, BS_AUTOCHECKBOX | WS_TABSTOP},
                  {IDOK, {44, 62, 50, 17}, BS_DEFPUSHBUTTON}});
    EXPECT_EQ(::GetFocus(), update.Item(IDOK));
    EXPECT_TRUE(::GetWindowLongW(update.Item(IDC_RELEASE_MESSAGE), GWL_EXSTYLE) &
                WS_EX_TRANSPARENT);
}

// The width and height of the icon a static shows.
SIZE IconSizeOf(HWND control) {
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return {};
    BITMAP mask{};
    ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
    const bool colour = info.hbmColor != nullptr;
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    // A monochrome icon's mask holds the picture under the mask.
    return {mask.bmWidth, colour ? mask.bmHeight : mask.bmHeight / 2};
}

// Each dialog's icon is made at the size of its control, so it is drawn within it at any DPI:
// About's never reaches its "Global:" label.
TEST(AboutAndUpdateLayout, IconsAreDrawnAtTheSizeOfTheirControls) {
    Modeless<CAboutDlg> about(nullptr, true);
    ASSERT_TRUE(about.Open());
    Modeless<CUpdateDlg> update(ReleaseNumber{2025, 3, 0}, L"http://127.0.0.1:1", nullptr);
    ASSERT_TRUE(update.Open());
    for (const Dialog* dialog :
         {static_cast<const Dialog*>(&about), static_cast<const Dialog*>(&update)}) {
        const HWND control = dialog->Item(IDC_DIALOG_ICON);
        RECT client{};
        ::GetClientRect(control, &client);
        const SIZE icon = IconSizeOf(control);
        EXPECT_GT(icon.cx, 0);
        EXPECT_EQ(icon.cx, std::min(client.right, client.bottom));
        EXPECT_EQ(icon.cy, icon.cx);
    }
    RECT icon{}, label{}, overlap{};
    ::GetWindowRect(about.Item(IDC_DIALOG_ICON), &icon);
    ::GetWindowRect(about.Item(IDC_SITE_LABEL), &label);
    EXPECT_FALSE(::IntersectRect(&overlap, &icon, &label));
}

} // namespace
} // namespace qv
