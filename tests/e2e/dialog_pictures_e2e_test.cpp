// The real exe's pictures: at 96 and 144 DPI the banner and the logo on the screen are the
// bitmaps the exe carries for that size, pixel for pixel, and drawing them loads no GDI+.
#include "base/registry_win.h"
#include "base/settings_store_win.h"
#include "resources/resource.h"
#include "tests/e2e/launcher_run_win.h"
#include "tests/support/picture_reading_win.h"
#include "tests/support/test_support_win.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cwctype>
#include <string>
#include <vector>

namespace qv {
namespace {

using e2e::LauncherRun;

// The launcher's exe opened for its resources only.
class ExeResources {
  public:
    explicit ExeResources(const std::wstring& exe)
        : module_(::LoadLibraryExW(exe.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ExeResources() {
        if (module_) ::FreeLibrary(module_);
    }
    ExeResources(const ExeResources&) = delete;
    ExeResources& operator=(const ExeResources&) = delete;
    HMODULE Get() const { return module_; }

  private:
    HMODULE module_;
};

// The names of the libraries a process has loaded, in lower case.
std::vector<std::wstring> LoadedLibraries(DWORD processId) {
    std::vector<std::wstring> names;
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    MODULEENTRY32W module{sizeof(module)};
    if (!snapshot || !::Module32FirstW(snapshot.get(), &module)) return names;
    do {
        std::wstring name = module.szModule;
        for (wchar_t& c : name)
            c = static_cast<wchar_t>(std::towlower(c));
        names.push_back(name);
    } while (::Module32NextW(snapshot.get(), &module));
    return names;
}

bool Contains(const std::vector<std::wstring>& names, const wchar_t* name) {
    for (const std::wstring& each : names)
        if (each == name) return true;
    return false;
}

class DialogPicturesExe : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(test::IsFile(e2e::LauncherExe())); }
    test::ScopedRegistryKey settings{HKEY_CURRENT_USER, SettingsKeyPath};
};

// What a user sees: each picture is the bitmap made for its control's size at the screen's DPI,
// drawn as it is (the logo blended over the dialog's face), not stretched from another size.
TEST_F(DialogPicturesExe, ThePicturesAreTheBitmapsMadeForTheScreensDpi) {
    const ExeResources exe(e2e::LauncherExe());
    ASSERT_NE(exe.Get(), nullptr);
    const wchar_t* desktop = L"Control Panel\\Desktop";
    test::ScopedRegistryValue logPixels(HKEY_CURRENT_USER, desktop, L"LogPixels");
    for (DWORD dpi : {96, 144}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi,
                                    sizeof(dpi)),
                  ERROR_SUCCESS);
        LauncherRun run;
        ASSERT_NE(run.Dialog(), nullptr);
        for (const int id : {IDC_BANNER, IDC_LOGO}) {
            SCOPED_TRACE(id == IDC_BANNER ? "banner" : "logo");
            RECT client{};
            ::GetClientRect(run.Item(id), &client);
            const std::optional<test::BitmapOfSize> bitmap =
                test::FindBitmapOfSize(exe.Get(), {client.right, client.bottom});
            ASSERT_TRUE(bitmap) << "no bitmap was made for " << client.right << "x"
                                << client.bottom;
            const Pixels expected =
                bitmap->alpha ? test::OverGround(bitmap->pixels, ::GetSysColor(COLOR_BTNFACE))
                              : bitmap->pixels;
            int differing = 0;
            // Until the paint is done: the window shows before it has painted.
            test::WaitUntil([&] {
                differing = test::DifferingPixels(test::ScreenPixelsOf(run.Item(id)), expected, 1);
                return differing == 0;
            });
            EXPECT_EQ(differing, 0) << "bitmap " << bitmap->id;
        }
        EXPECT_TRUE(run.Close());
    }
}

bool HasUpdateRegion(HWND window) {
    return ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

BOOL CALLBACK NoteUnpainted(HWND child, LPARAM unpainted) {
    if (::IsWindowVisible(child) && HasUpdateRegion(child))
        *reinterpret_cast<bool*>(unpainted) = true;
    return TRUE;
}

// Nothing of the window is left to paint, and its thread has answered a message sent after
// that: its last paint has returned.
bool IsFullyPainted(HWND window) {
    bool unpainted = HasUpdateRegion(window);
    ::EnumChildWindows(window, &NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    DWORD_PTR answer = 0;
    return !unpainted &&
           ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer) != 0 &&
           !HasUpdateRegion(window);
}

// GDI+ costs the first paint its loading and start; nothing the launcher shows needs it.
TEST_F(DialogPicturesExe, TheFirstPaintLoadsNoGdiPlus) {
    LauncherRun run;
    ASSERT_NE(run.Dialog(), nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return IsFullyPainted(run.Dialog()); }));
    // The logo's emblem shows.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const Pixels logo = test::ScreenPixelsOf(run.Item(IDC_LOGO));
    ASSERT_FALSE(logo.argb.empty());
    const std::uint32_t emblem =
        logo.argb[std::size_t(logo.height / 2) * logo.width + logo.width * 10 / 696 + 4];
    EXPECT_NE(emblem & 0xFFFFFF, std::uint32_t{GetRValue(face)} << 16 |
                                     std::uint32_t{GetGValue(face)} << 8 | GetBValue(face));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(run.Dialog(), &processId);
    const std::vector<std::wstring> loaded = LoadedLibraries(processId);
    // The listing sees what every dialog loads.
    EXPECT_TRUE(Contains(loaded, L"user32.dll"));
    EXPECT_TRUE(Contains(loaded, L"gdi32.dll"));
    EXPECT_FALSE(Contains(loaded, L"gdiplus.dll"));
    EXPECT_TRUE(run.Close());
}

} // namespace
} // namespace qv
