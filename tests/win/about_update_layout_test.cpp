// The templates of the About box and the update dialog: every control where the layout puts it,
// in tab order, with the styles its role needs.
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/about_dlg_win.h"
#include "ui/update_dlg_win.h"

#include <gtest/gtest.h>

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
        // An icon static takes the size of its icon.
        if ((::GetWindowLongW(item, GWL_STYLE) & SS_TYPEMASK) != SS_ICON ||
            test::ClassNameOf(item) != L"Static") {
            const POINT size = map(control.units.right, control.units.bottom);
            EXPECT_EQ(actual.right - actual.left, size.x);
            EXPECT_EQ(actual.bottom - actual.top, size.y);
        }
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
    ExpectLayout(about, {141, 113},
                 {{IDOK, {43, 94, 50, 17}, BS_DEFPUSHBUTTON},
                  {IDC_PRODUCT_LINE, {30, 6, 97, 17}, 0},
                  {-1, {5, 48, 133, 32}, 0},
                  {IDC_DIALOG_ICON, {2, 2, 20, 20}, SS_ICON},
                  {IDC_SITE_LINK, {38, 25, 93, 8}, SS_NOTIFY},
                  {IDC_CHINA_LINK, {62, 36, 73, 8}, SS_NOTIFY},
                  {IDC_AUTO_CHECK, {10, 83, 106, 8}, BS_AUTOCHECKBOX | WS_TABSTOP},
                  {IDC_SITE_LABEL, {11, 25, 23, 8}, 0},
                  {IDC_CHINA_LABEL, {5, 36, 55, 8}, 0}});
    for (int id : {IDC_SITE_LINK, IDC_CHINA_LINK})
        EXPECT_EQ(::GetWindowLongW(about.Item(id), GWL_STYLE) & SS_TYPEMASK,
                  static_cast<DWORD>(SS_LEFTNOWORDWRAP))
            << id;
    // The fixed text: the acknowledgement, a line of dashes and the rights notice.
    const std::wstring fixed = test::TextOf(::GetWindow(about.Item(IDC_PRODUCT_LINE), GW_HWNDNEXT));
    EXPECT_NE(fixed.find(L"CoolProp"), std::wstring::npos);
    EXPECT_NE(fixed.find(L"\n-----"), std::wstring::npos);
    EXPECT_NE(fixed.find(L"Copyright"), std::wstring::npos);
}

TEST(AboutAndUpdateLayout, UpdateDialogControlsSitAtTheirRectangles) {
    Modeless<CUpdateDlg> update(ReleaseNumber{2025, 3, 0}, L"http://127.0.0.1:1", nullptr);
    ASSERT_TRUE(update.Open());
    ExpectLayout(update, {124, 83},
                 {{IDOK, {38, 62, 50, 17}, BS_DEFPUSHBUTTON},
                  {IDC_DIALOG_ICON, {4, 5, 13, 13}, SS_ICON},
                  {IDC_RELEASE_MESSAGE, {42, 3, 65, 31}, SS_LEFTNOWORDWRAP},
                  {IDC_DOWNLOAD_LINK, {42, 37, 60, 8}, SS_NOTIFY},
                  {IDC_AUTO_CHECK, {10, 48, 109, 8}, BS_AUTOCHECKBOX | WS_TABSTOP}});
    EXPECT_TRUE(::GetWindowLongW(update.Item(IDC_RELEASE_MESSAGE), GWL_EXSTYLE) &
                WS_EX_TRANSPARENT);
}

} // namespace
} // namespace qv
