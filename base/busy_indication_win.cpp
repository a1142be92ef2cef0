#include "base/busy_indication_win.h"

#include "base/com_win.h"
#include "base/launch_log_win.h"
#include "base/shell_and_com_win.h"

#include <commctrl.h>
#include <shobjidl.h>

#include <cwchar>
#include <string>

namespace qv {

namespace {

constexpr UINT_PTR BusySubclassId = 1;

// The window or control of it under the pointer; nullptr when the pointer is elsewhere.
HWND PartUnderPointer(HWND window) {
    POINT pointer{};
    if (!::GetCursorPos(&pointer)) return nullptr;
    HWND under = ::WindowFromPoint(pointer);
    return under && (under == window || ::IsChild(window, under)) ? under : nullptr;
}

HCURSOR AppStartingCursor() {
    return ::LoadCursorW(nullptr, IDC_APPSTARTING);
}

// Asked at every move of the pointer over the window, and by its controls first of all.
LRESULT CALLBACK ShowAppStarting(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    if (message != WM_SETCURSOR) return ::DefSubclassProc(window, message, wParam, lParam);
    ::SetCursor(AppStartingCursor());
    return TRUE;
}

std::wstring HexText(HRESULT result) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(result));
    return text;
}

} // namespace

// The taskbar button's progress, through the shell's object in this thread's apartment.
class BusyIndication::TaskbarProgress {
  public:
    explicit TaskbarProgress(HWND window) : window_(window) {
        HRESULT made = com::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_PPV_ARGS(list_.put()));
        if (SUCCEEDED(made)) made = list_->HrInit();
        if (FAILED(made)) {
            list_.reset();
            Log(L"taskbar progress: not offered, the waits show none on the taskbar button (" +
                HexText(made) + L")");
            return;
        }
        Show(TBPF_INDETERMINATE, L"an endless progress");
    }
    // A window already destroyed (the launcher ended during the wait) has no button left.
    ~TaskbarProgress() {
        if (list_.get() && ::IsWindow(window_)) Show(TBPF_NOPROGRESS, L"no progress");
    }
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  private:
    // Only a refusal is logged: a state that was taken tells support nothing.
    void Show(TBPFLAG state, const wchar_t* name) {
        const HRESULT shown = list_->SetProgressState(window_, state);
        if (FAILED(shown))
            Log(std::wstring(L"taskbar progress: the taskbar button refused to show ") + name +
                L" (" + HexText(shown) + L")");
    }

    ComApartment apartment_; // first: the list is released before the apartment ends
    ComRef<ITaskbarList3> list_;
    HWND window_;
};

BusyIndication::BusyIndication(HWND window)
    : window_(window),
      pointerSet_(window && ::SetWindowSubclass(window, ShowAppStarting, BusySubclassId, 0)),
      taskbar_(window ? std::make_unique<TaskbarProgress>(window) : nullptr) {
    // At once, not at the user's next move.
    if (pointerSet_ && PartUnderPointer(window_)) ::SetCursor(AppStartingCursor());
}

BusyIndication::~BusyIndication() {
    taskbar_.reset();
    if (!pointerSet_) return;
    ::RemoveWindowSubclass(window_, ShowAppStarting, BusySubclassId);
    // The usual pointer at once: the part under it chooses, as at a move.
    if (HWND under = PartUnderPointer(window_))
        ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

} // namespace qv
