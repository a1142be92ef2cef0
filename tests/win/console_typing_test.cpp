// The add-on's load command entered into Fluent 12's console (the solver stand-in's console in
// another process): pasted when the user's clipboard can be saved whole and is put back
// afterwards, typed otherwise with the clipboard untouched; and the console is only ever one of
// Fluent 12's own.
#include "base/text.h"
#include "launch/supervision/console_typing_win.h"
#include "launch/supervision/fluent_process.h"
#include "launch/supervision/fluent_processes_win.h"
#include "tests/win/fakes_fixture_win.h"

#include <atomic>
#include <cstring>
#include <thread>

namespace qv::test {
namespace {

using namespace std::chrono_literals;

// The clipboard opened by this thread for a scope.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

HGLOBAL GlobalWith(const void* bytes, std::size_t size) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(block), bytes, size);
    ::GlobalUnlock(block);
    return block;
}

std::string GlobalBytes(HANDLE block) {
    if (!block) return "(none)";
    const auto* bytes = static_cast<const char*>(::GlobalLock(block));
    std::string copy(bytes, ::GlobalSize(block));
    ::GlobalUnlock(block);
    return copy;
}

std::vector<std::uint32_t> BitmapPixels(HBITMAP bitmap) {
    std::vector<std::uint32_t> pixels(16);
    if (!bitmap || ::GetBitmapBits(bitmap, 64, pixels.data()) != 64) pixels.clear();
    return pixels;
}

const std::vector<std::uint32_t> Pixels = {
    0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

class ConsoleTyping : public FakesTest {
  protected:
    void SetUp() override {
        FakesTest::SetUp();
        installation_ = LayOut(L"fluent12.1.2", L"12.1", RunsInWin64Prefix());
        ASSERT_TRUE(installation_.fluent.complete && installation_.product.complete);
        ASSERT_TRUE(productFolder_.Set(installation_.product.folder));
        ASSERT_TRUE(console_.Set(L"1"));
        format_ = ::RegisterClipboardFormatW(L"Quorvex test format");
        ASSERT_NE(format_, 0u);
    }
    // A Fluent 12 solver with its console, and the console's edit.
    HWND StartFluent12() {
        const auto& exe = installation_.fluent.solver;
        solver_ = Start(exe, L"\"" + exe + L"\" 3d -t2");
        EXPECT_TRUE(solver_.process);
        HWND console = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (console = FindFluentConsole(solver_.processId)); }));
        launcher_.SetUserData(solver_.processId);
        return console;
    }
    std::wstring Command() const { return ConsoleLoadCommand(installation_.product.folder); }

    Installation installation_;
    ProcessHandles solver_;
    UINT format_ = 0;
    ScopedVariable productFolder_{fake::ProductFolderVariable};
    ScopedVariable console_{fake::ConsoleVariable};
};

TEST_F(ConsoleTyping, TextBitmapAndARegisteredFormatSurviveThePaste) {
    HWND console = StartFluent12();
    ASSERT_TRUE(console);
    {
        OpenClipboardScope clipboard(launcher_.get());
        ASSERT_TRUE(clipboard.IsOpen());
        ASSERT_TRUE(::EmptyClipboard());
        const wchar_t text[] = L"the user's words";
        ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text))));
        ASSERT_TRUE(::SetClipboardData(CF_BITMAP, ::CreateBitmap(4, 4, 1, 32, Pixels.data())));
        ASSERT_TRUE(::SetClipboardData(format_, GlobalWith("abc\0xyz", 7)));
    }

    EXPECT_EQ(TypeIntoWindow(Command(), console), ConsoleEntry::Pasted);
    const auto record = SolverRecord(solver_.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::ConsoleText), Command());
    EXPECT_EQ(record->Value(fake::key::ConsoleEntry), L"pasted");
    EXPECT_EQ(record->Value(fake::key::LoaderCheck), fake::Pass);
    EXPECT_EQ(record->Value(fake::key::Signal), L"sent");

    OpenClipboardScope clipboard(launcher_.get());
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_EQ(GlobalBytes(::GetClipboardData(CF_UNICODETEXT)),
              std::string(reinterpret_cast<const char*>(L"the user's words"),
                          sizeof(L"the user's words")));
    EXPECT_EQ(BitmapPixels(static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))), Pixels);
    EXPECT_EQ(GlobalBytes(::GetClipboardData(format_)), std::string("abc\0xyz", 7));
}

TEST_F(ConsoleTyping, AnEmptyClipboardStaysEmpty) {
    HWND console = StartFluent12();
    ASSERT_TRUE(console);
    {
        OpenClipboardScope clipboard(launcher_.get());
        ASSERT_TRUE(clipboard.IsOpen() && ::EmptyClipboard());
    }
    EXPECT_EQ(TypeIntoWindow(Command(), console), ConsoleEntry::Pasted);
    const auto record = SolverRecord(solver_.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::ConsoleText), Command());
    EXPECT_EQ(::CountClipboardFormats(), 0);
}

TEST_F(ConsoleTyping, APrivateFormatIsLeftAloneAndTheCommandTyped) {
    HWND console = StartFluent12();
    ASSERT_TRUE(console);
    // Private data means what its owner says: only the handle can be compared.
    const HANDLE privateData = GlobalWith("private", 7);
    {
        OpenClipboardScope clipboard(launcher_.get());
        ASSERT_TRUE(clipboard.IsOpen() && ::EmptyClipboard());
        const wchar_t text[] = L"kept";
        ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text))));
        ASSERT_TRUE(::SetClipboardData(CF_PRIVATEFIRST, privateData));
    }
    EXPECT_EQ(TypeIntoWindow(Command(), console), ConsoleEntry::Typed);
    const auto record = SolverRecord(solver_.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::ConsoleText), Command());
    EXPECT_EQ(record->Value(fake::key::ConsoleEntry), L"typed");
    EXPECT_EQ(record->Value(fake::key::Signal), L"sent");

    OpenClipboardScope clipboard(launcher_.get());
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_EQ(::GetClipboardData(CF_PRIVATEFIRST), privateData);
    EXPECT_EQ(GlobalBytes(::GetClipboardData(CF_UNICODETEXT)),
              std::string(reinterpret_cast<const char*>(L"kept"), sizeof(L"kept")));
}

// A console gone before its first keystroke took none of them: that is not "typed". The user's
// clipboard is neither taken nor written to the log.
TEST_F(ConsoleTyping, ACommandNoKeystrokeOfWhichWasTakenIsNotTyped) {
    HWND console = StartFluent12();
    ASSERT_TRUE(console);
    {
        OpenClipboardScope clipboard(launcher_.get());
        ASSERT_TRUE(clipboard.IsOpen() && ::EmptyClipboard());
        const wchar_t text[] = L"the user's secret words";
        ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text))));
        ASSERT_TRUE(::SetClipboardData(CF_PRIVATEFIRST, GlobalWith("private", 7)));
    }
    ClearLaunchLog();
    EXPECT_EQ(TypeIntoWindow(Command(), console), ConsoleEntry::Typed); // the control
    ASSERT_TRUE(::TerminateProcess(solver_.process.get(), 0));
    ASSERT_EQ(::WaitForSingleObject(solver_.process.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(TypeIntoWindow(Command(), console), ConsoleEntry::Untaken);
    EXPECT_FALSE(Contains(ReadLaunchLog(), L"secret")) << ReadLaunchLog();
}

TEST_F(ConsoleTyping, AClipboardAnotherProgramHoldsIsLeftAloneAndTheCommandTyped) {
    HWND console = StartFluent12();
    ASSERT_TRUE(console);
    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        if (!::OpenClipboard(nullptr)) return;
        held = true;
        while (!release)
            std::this_thread::sleep_for(5ms);
        ::CloseClipboard();
    });
    ASSERT_TRUE(WaitUntil([&] { return held.load(); }, 5s));
    const ConsoleEntry entry = TypeIntoWindow(Command(), console);
    release = true;
    holder.join();
    EXPECT_EQ(entry, ConsoleEntry::Typed);
    const auto record = SolverRecord(solver_.processId);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Value(fake::key::ConsoleText), Command());
    EXPECT_EQ(record->Value(fake::key::ConsoleEntry), L"typed");
}

TEST_F(ConsoleTyping, OnlyFluent12sOwnConsoleIsEverFound) {
    // This process's own multi-line edit in a frame of Fluent 12's class: found for this
    // process (the control), never for another.
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = &::DefWindowProcW;
    frameClass.hInstance = ::GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"Afx:00000000:8:own-console";
    ::RegisterClassW(&frameClass);
    UniqueWindow frame(::CreateWindowExW(0, frameClass.lpszClassName, L"own", WS_OVERLAPPED, 0, 0,
                                         100, 100, nullptr, nullptr, frameClass.hInstance,
                                         nullptr));
    ASSERT_TRUE(frame);
    HWND edit = ::CreateWindowExW(0, L"Edit", L"", WS_CHILD | ES_MULTILINE, 0, 0, 50, 50,
                                  frame.get(), nullptr, frameClass.hInstance, nullptr);
    ASSERT_TRUE(edit);
    EXPECT_EQ(FindFluentConsole(::GetCurrentProcessId()), edit);

    // A Fluent without a console: nothing, although another process shows one.
    ASSERT_TRUE(console_.Remove());
    const auto& exe = installation_.fluent.solver;
    const ProcessHandles plain = Start(exe, L"\"" + exe + L"\" 3d -t2");
    ASSERT_TRUE(plain.process);
    ASSERT_TRUE(WaitUntil([&] { return FindFluentWindow(plain.processId) != nullptr; }));
    EXPECT_EQ(FindFluentConsole(plain.processId), nullptr);
}

LRESULT CALLBACK BusyWithPastes(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PASTE) ::Sleep(12000);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A console still busy with the paste when the limit runs out would take the user's own data
// for the command, were it put back: the command stays on the clipboard, and the log says so.
TEST_F(ConsoleTyping, AConsoleThatDoesNotAnswerThePasteKeepsTheCommandOnTheClipboard) {
    std::atomic<HWND> busy{nullptr};
    std::atomic<bool> release{false};
    std::thread owner([&] {
        WNDCLASSW busyClass{};
        busyClass.lpfnWndProc = &BusyWithPastes;
        busyClass.hInstance = ::GetModuleHandleW(nullptr);
        busyClass.lpszClassName = L"QvBusyConsole";
        ::RegisterClassW(&busyClass);
        UniqueWindow window(::CreateWindowExW(0, busyClass.lpszClassName, L"", 0, 0, 0, 10, 10,
                                              nullptr, nullptr, busyClass.hInstance, nullptr));
        busy = window.get();
        while (!release) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
            ::Sleep(5);
        }
    });
    ASSERT_TRUE(WaitUntil([&] { return busy.load() != nullptr; }, 5s));
    {
        OpenClipboardScope clipboard(launcher_.get());
        ASSERT_TRUE(clipboard.IsOpen() && ::EmptyClipboard());
        const wchar_t text[] = L"the user's words";
        ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text))));
    }
    ClearLaunchLog();
    const ConsoleEntry entry = TypeIntoWindow(Command(), busy.load());
    release = true;
    owner.join();

    EXPECT_EQ(entry, ConsoleEntry::Unanswered);
    EXPECT_TRUE(Contains(ReadLaunchLog(), L"did not answer the paste")) << ReadLaunchLog();
    OpenClipboardScope clipboard(launcher_.get());
    ASSERT_TRUE(clipboard.IsOpen());
    const std::wstring wide = Command();
    const std::string command(wide.begin(), wide.end()); // plain ASCII
    // Up to its NUL: a memory block may be larger than asked for.
    EXPECT_EQ(std::string(GlobalBytes(::GetClipboardData(CF_TEXT)).c_str()), command);
}

} // namespace
} // namespace qv::test
