// The main dialog's template as the user sees it: every control where the layout puts it.
#include "resources/resource.h"
#include "tests/support/test_support_win.h"
#include "ui/launcher_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

TEST(LauncherDialogLayout, ControlsSitAtTheirDialogUnitRectangles) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    test::ScriptedPrompts prompts; // discovery may have something to say
    Modeless<CLauncherDlg> dialog;
    ASSERT_TRUE(dialog.Open());

    struct Control {
        int id;
        RECT units;
    }; // x, y, width, height
    const std::vector<Control> layout = {
        {IDC_2D, {13, 41, 66, 9}},
        {IDC_3D, {13, 55, 66, 9}},
        {IDC_DOUBLE_PRECISION, {13, 68, 69, 9}},
        {IDC_SERIAL, {95, 41, 63, 9}},
        {IDC_PARALLEL, {95, 55, 61, 9}},
        {IDC_PROCESS_COUNT, {96, 79, 49, 12}},
        {IDC_VS_LIST, {167, 37, 73, 13}},
        {IDC_FLUENT_LIST, {167, 66, 54, 13}},
        {IDC_BROWSE, {225, 64, 19, 16}},
        {IDC_CHINESE_FLUENT, {167, 81, 69, 8}},
        {IDC_START_BY_WORKBENCH, {167, 94, 79, 8}},
        {IDC_CALL_COOLPROP, {13, 96, 70, 8}},
        {IDC_CALL_FORTRAN, {13, 109, 71, 8}},
        {IDC_CALL_MATLAB, {13, 122, 57, 8}},
        {IDC_STATIC_LINK, {22, 133, 54, 9}},
        {IDC_DYNAMIC_LINK, {22, 145, 57, 9}},
        {IDC_MATLAB_LIST, {12, 167, 73, 12}},
        {IDOK, {88, 168, 50, 14}},
        {IDC_CANCEL, {158, 168, 50, 14}},
        {IDC_DIMENSION_GROUP, {7, 28, 80, 52}},
        {IDC_PROCESSING_GROUP, {89, 28, 72, 77}},
        {IDC_VS_GROUP, {163, 28, 84, 25}},
        {IDC_PROCESSES_LABEL, {95, 68, 61, 10}},
        {IDC_FLUENT_GROUP, {163, 55, 84, 50}},
        {IDC_THIRD_PARTY_GROUP, {7, 85, 80, 97}},
        {IDC_MATLAB_LABEL, {12, 157, 75, 8}},
        {IDC_BANNER, {5, 0, 242, 26}},
        {IDC_LOGO, {92, 111, 149, 33}},
    };
    // The dialog manager maps position and size separately, so they are compared separately.
    const auto map = [&](int x, int y) {
        RECT r{0, 0, x, y};
        ::MapDialogRect(dialog.Window(), &r);
        return POINT{r.right, r.bottom};
    };
    for (const Control& control : layout) {
        HWND item = dialog.Item(control.id);
        RECT actual{};
        ::GetWindowRect(item, &actual);
        ::MapWindowPoints(HWND_DESKTOP, dialog.Window(), reinterpret_cast<POINT*>(&actual), 2);
        const POINT position = map(control.units.left, control.units.top);
        const POINT size = map(control.units.right, control.units.bottom);
        EXPECT_EQ(actual.left, position.x) << control.id;
        EXPECT_EQ(actual.top, position.y) << control.id;
        // The spin takes the right end of its buddy, the count's edit.
        if (control.id != IDC_PROCESS_COUNT) {
            EXPECT_EQ(actual.right - actual.left, size.x) << control.id;
        }
        // A drop-down list is as high as its edit field; the template height is its drop-down's.
        if (test::ClassNameOf(item) != L"ComboBox") {
            EXPECT_EQ(actual.bottom - actual.top, size.y) << control.id;
        }
    }
    EXPECT_EQ(
        reinterpret_cast<HWND>(::SendMessageW(dialog.Item(IDC_PROCESS_SPIN), UDM_GETBUDDY, 0, 0)),
        dialog.Item(IDC_PROCESS_COUNT));
}

// Notes whether the window already has its menu when its initialisation begins.
class MenuAtInitialisation : public CLauncherDlg {
  public:
    bool menuAtStart = false;

  protected:
    bool OnInitDialog() override {
        menuAtStart = ::GetMenu(Window()) != nullptr;
        return CLauncherDlg::OnInitDialog();
    }
};

std::wstring FirstMenuText(HWND window) {
    wchar_t text[64] = {};
    ::GetMenuStringW(::GetMenu(window), 0, text, 64, MF_BYPOSITION);
    return text;
}

// The window is made with the menu of its language, and the bar takes nothing from the area the
// template's controls need.
TEST(LauncherDialogLayout, TheWindowIsMadeWithItsLanguagesMenuAboveTheTemplatesClientArea) {
    const InterfaceLanguage before = CurrentInterfaceLanguage();
    for (const auto& [language, tutorial] : {std::pair{InterfaceLanguage::English, L"&Tutorial"},
                                             std::pair{InterfaceLanguage::Chinese, L"教程(&T)"}}) {
        SetInterfaceLanguage(language);
        test::ScriptedPrompts prompts;
        Modeless<MenuAtInitialisation> dialog;
        ASSERT_TRUE(dialog.Open());
        EXPECT_TRUE(dialog.menuAtStart) << tutorial;
        EXPECT_EQ(FirstMenuText(dialog.Window()), tutorial);
        RECT client{}, whole{0, 0, 252, 188};
        ::GetClientRect(dialog.Window(), &client);
        ::MapDialogRect(dialog.Window(), &whole);
        EXPECT_EQ(client.bottom, whole.bottom) << tutorial;
        EXPECT_EQ(client.right, whole.right) << tutorial;
    }
    SetInterfaceLanguage(before);
}

} // namespace
} // namespace qv
