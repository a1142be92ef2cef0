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
#include <mutex>
#include <string>
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

    // The console takes the paste while this thread handles its messages (the record is waited
    // for so), and gets Enter after it.
    const EnteredCommand typing = TypeIntoWindow(Command(), console, solver_.process.get());
    EXPECT_EQ(typing.entry, ConsoleEntry::Pasting);
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
    const EnteredCommand typing = TypeIntoWindow(Command(), console, solver_.process.get());
    EXPECT_EQ(typing.entry, ConsoleEntry::Pasting);
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
    EXPECT_EQ(TypeIntoWindow(Command(), console, solver_.process.get()).entry, ConsoleEntry::Typed);
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
    EXPECT_EQ(TypeIntoWindow(Command(), console, solver_.process.get()).entry,
              ConsoleEntry::Typed); // the control
    ASSERT_TRUE(::TerminateProcess(solver_.process.get(), 0));
    ASSERT_EQ(::WaitForSingleObject(solver_.process.get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(TypeIntoWindow(Command(), console, solver_.process.get()).entry,
              ConsoleEntry::NotEntered);
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
    const ConsoleEntry entry = TypeIntoWindow(Command(), console, solver_.process.get()).entry;
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

// A console of another thread, slow to get to its messages as a busy Fluent 12 is: what its
// paste found on the clipboard, and whether Enter came after it.
class SlowConsole {
  public:
    // busyMs: how long it does not look at its messages; then it either takes them (a paste
    // takes pasteMs more) or closes without taking any, as it does when it ends still busy.
    SlowConsole(DWORD busyMs, DWORD pasteMs, bool closesInstead)
        : thread_([=] { Run(busyMs, pasteMs, closesInstead); }) {
        WaitUntil([&] { return window_.load() != nullptr; }, 5s);
    }
    ~SlowConsole() {
        stop_ = true;
        thread_.join();
    }
    HWND Window() const { return window_; }
    // CF_TEXT as the paste found it; "(no paste)" before one.
    std::string Pasted() const {
        const std::lock_guard<std::mutex> hold(lock_);
        return pasted_;
    }
    bool EnterAfterPaste() const { return enterAfterPaste_; }
    bool Gone() const { return gone_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<SlowConsole*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_PASTE) {
            ::Sleep(self->pasteMs_);
            std::string text = "(empty)";
            if (::OpenClipboard(window)) {
                if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
                    text = static_cast<const char*>(::GlobalLock(data));
                    ::GlobalUnlock(data);
                }
                ::CloseClipboard();
            }
            const std::lock_guard<std::mutex> hold(self->lock_);
            self->pasted_ = text;
            return 0;
        }
        if (self && message == WM_CHAR && wParam == 13)
            self->enterAfterPaste_ = self->Pasted() != "(no paste)";
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    void Run(DWORD busyMs, DWORD pasteMs, bool closesInstead) {
        pasteMs_ = pasteMs;
        HWND window = ::CreateWindowExW(0, L"Static", L"slow console", 0, 0, 0, 10, 10, nullptr,
                                        nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
        window_ = window;
        for (const ULONGLONG end = ::GetTickCount64() + busyMs; !stop_ && ::GetTickCount64() < end;)
            ::Sleep(10);
        if (closesInstead || stop_) {
            ::DestroyWindow(window);
            gone_ = true;
            return;
        }
        while (!stop_) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
            ::Sleep(5);
        }
        ::DestroyWindow(window);
    }

    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> stop_{false}, enterAfterPaste_{false}, gone_{false};
    DWORD pasteMs_ = 0;
    mutable std::mutex lock_;
    std::string pasted_ = "(no paste)";
    std::thread thread_;
};

std::wstring ClipboardUnicodeText(HWND owner) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen()) return L"(not open)";
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return L"(none)";
    std::wstring text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
    return text;
}

// A window of this process that is neither the console nor missing.
bool IsLauncherOwnWindow(HWND owner, HWND console) {
    DWORD process = 0;
    return owner && owner != console && ::GetWindowThreadProcessId(owner, &process) &&
           process == ::GetCurrentProcessId();
}

// The console may take the paste long after it was sent, or never: the user's clipboard is
// kept meanwhile and put back only once the paste cannot take it any more, so that the paste
// never enters the user's own data; a paste taken late still gets its Enter.
TEST_F(ConsoleTyping, TheClipboardComesBackOnlyOnceThePasteCanNoLongerTakeIt) {
    struct Case {
        const char* name;
        DWORD busyMs, pasteMs;
        bool closes;      // the console's window goes without taking the paste
        bool processEnds; // the process ends while the console is busy
        bool entered;
    };
    // The first answers later than any limit a launcher could wait for without freezing.
    const std::vector<Case> cases{
        {"taken after 11 s", 11000, 0, false, false, true},
        {"taken slowly", 0, 1500, false, false, true},
        {"the console closes first", 1500, 0, true, false, false},
        {"the process ends first", 60000, 0, false, true, false},
    };
    const std::wstring wide = Command();
    const std::string command(wide.begin(), wide.end()); // plain ASCII
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            OpenClipboardScope clipboard(launcher_.get());
            ASSERT_TRUE(clipboard.IsOpen() && ::EmptyClipboard());
            const wchar_t text[] = L"the user's words";
            ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text))));
        }
        UniqueHandle process(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // Fluent, running
        ASSERT_TRUE(process);
        ClearLaunchLog();
        SlowConsole console(c.busyMs, c.pasteMs, c.closes);
        ASSERT_TRUE(console.Window());
        const EnteredCommand typing = TypeIntoWindow(Command(), console.Window(), process.get());
        EXPECT_EQ(typing.entry, ConsoleEntry::Pasting);
        // The console has not taken it yet: the command waits on the clipboard.
        EXPECT_EQ(ClipboardUnicodeText(launcher_.get()), Command());
        if (c.processEnds) ::SetEvent(process.get());
        const bool back = WaitUntil(
            [&] { return ClipboardUnicodeText(launcher_.get()) == L"the user's words"; }, 20s);
        EXPECT_TRUE(back) << ReadLaunchLog();
        // Emptied without an owner, Windows' clipboard refuses what is handed back; another
        // program's window as the owner would be asked for it.
        EXPECT_TRUE(IsLauncherOwnWindow(::GetClipboardOwner(), console.Window()));
        EXPECT_TRUE(Contains(ReadLaunchLog(), L"the user's clipboard is put back"))
            << ReadLaunchLog();
        if (c.entered) {
            EXPECT_EQ(console.Pasted(), command);
            EXPECT_TRUE(WaitUntil([&] { return console.EnterAfterPaste(); }, 5s));
            EXPECT_TRUE(Contains(ReadLaunchLog(), L"load command pasted into Fluent's console"));
        } else {
            PumpMessages(500ms);
            EXPECT_FALSE(console.EnterAfterPaste());
            EXPECT_TRUE(Contains(ReadLaunchLog(), L"the load command was not entered"))
                << ReadLaunchLog();
        }
    }
}

// Leaves the user's words on the clipboard, owned by this thread's launcher window.
void PutUserWords(HWND owner) {
    OpenClipboardScope clipboard(owner);
    ASSERT_TRUE(clipboard.IsOpen() && ::EmptyClipboard());
    const wchar_t text[] = L"the user's words";
    ASSERT_TRUE(::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text))));
}

// The dialog ends while the console has not taken the paste: a console that takes it within a
// short wait still gets it with its Enter; otherwise the user's content comes back all the same,
// never the command left on the clipboard.
TEST_F(ConsoleTyping, APasteStillPendingAtTheEndGivesTheUserContentBack) {
    struct Case {
        const char* name;
        DWORD busyMs;
        bool entered;
    };
    const std::vector<Case> cases{{"taken within the wait", 500, true},
                                  {"not taken", 60000, false}};
    const std::wstring wide = Command();
    const std::string command(wide.begin(), wide.end()); // plain ASCII
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutUserWords(launcher_.get());
        UniqueHandle process(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // Fluent, running
        ClearLaunchLog();
        SlowConsole console(c.busyMs, 0, false);
        ASSERT_TRUE(console.Window());
        EnteredCommand typing = TypeIntoWindow(Command(), console.Window(), process.get());
        ASSERT_EQ(typing.entry, ConsoleEntry::Pasting);
        typing.paste.reset(); // the dialog's end
        EXPECT_EQ(ClipboardUnicodeText(launcher_.get()), L"the user's words") << ReadLaunchLog();
        if (c.entered) {
            EXPECT_EQ(console.Pasted(), command);
            EXPECT_TRUE(WaitUntil([&] { return console.EnterAfterPaste(); }, 5s));
        } else {
            EXPECT_TRUE(Contains(ReadLaunchLog(), L"the load command was not entered"));
        }
        EXPECT_TRUE(Contains(ReadLaunchLog(), L"the user's clipboard is put back"))
            << ReadLaunchLog();
    }
}

// A second paste while the first is pending must not save the first's command as the user's.
TEST_F(ConsoleTyping, ASecondPasteNeverTakesTheFirstCommandForTheUsers) {
    PutUserWords(launcher_.get());
    UniqueHandle process(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // Fluent, running
    SlowConsole console(5000, 0, false);
    ASSERT_TRUE(console.Window());
    const EnteredCommand first = TypeIntoWindow(Command(), console.Window(), process.get());
    ASSERT_EQ(first.entry, ConsoleEntry::Pasting);
    EXPECT_EQ(ClipboardUnicodeText(launcher_.get()), Command()); // the control
    const EnteredCommand second = TypeIntoWindow(Command(), console.Window(), process.get());
    ASSERT_EQ(second.entry, ConsoleEntry::Pasting);
    EXPECT_TRUE(WaitUntil([&] { return console.EnterAfterPaste(); }, 20s));
    EXPECT_TRUE(WaitUntil(
        [&] { return ClipboardUnicodeText(launcher_.get()) == L"the user's words"; }, 20s))
        << ReadLaunchLog();
}

// A clipboard owner of another thread that renders its text only when asked (as a spreadsheet
// does with a copied range), and answers the asking only once allowed to.
class DelayedRenderingOwner {
  public:
    explicit DelayedRenderingOwner(bool answers) : answering_(answers), thread_([this] { Run(); }) {
        WaitUntil([&] { return window_.load() != nullptr; }, 5s);
    }
    ~DelayedRenderingOwner() {
        answering_ = true;
        stop_ = true;
        thread_.join();
    }
    HWND Window() const { return window_; }
    void Answer() { answering_ = true; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_RENDERFORMAT && wParam == CF_UNICODETEXT) {
            const wchar_t text[] = L"the user's words";
            ::SetClipboardData(CF_UNICODETEXT, GlobalWith(text, sizeof(text)));
            return 0;
        }
        if (message == WM_RENDERALLFORMATS) return 0;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    void Run() {
        HWND window = ::CreateWindowExW(0, L"Static", L"delayed owner", 0, 0, 0, 10, 10, nullptr,
                                        nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
        if (::OpenClipboard(window)) {
            ::EmptyClipboard();
            ::SetClipboardData(CF_UNICODETEXT, nullptr);
            ::CloseClipboard();
        }
        window_ = window;
        while (!stop_) {
            MSG message;
            while (answering_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
            ::Sleep(5);
        }
        ::DestroyWindow(window);
    }

    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> answering_, stop_{false};
    std::thread thread_;
};

// Saving the user's content asks a delayed-rendering owner for it: an owner that answers has it
// pasted around and back; one that does not answer leaves the launcher typing, its clipboard
// untouched, instead of waiting for it without end.
TEST_F(ConsoleTyping, ContentRenderedOnRequestIsSavedOnlyWhenItsOwnerAnswers) {
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "the owner answers" : "the owner does not answer");
        UniqueHandle process(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // Fluent, running
        DelayedRenderingOwner owner(answers);
        ASSERT_TRUE(owner.Window());
        SlowConsole console(0, 0, false);
        ASSERT_TRUE(console.Window());
        const EnteredCommand typing = TypeIntoWindow(Command(), console.Window(), process.get());
        owner.Answer();
        if (answers) {
            EXPECT_EQ(typing.entry, ConsoleEntry::Pasting);
            EXPECT_TRUE(WaitUntil(
                [&] { return ClipboardUnicodeText(launcher_.get()) == L"the user's words"; }, 20s))
                << ReadLaunchLog();
        } else {
            EXPECT_EQ(typing.entry, ConsoleEntry::Typed);
            EXPECT_TRUE(Contains(ReadLaunchLog(), L"could not be saved")) << ReadLaunchLog();
            // Left alone: still the owner's, which renders it once it answers.
            EXPECT_TRUE(WaitUntil([&] { return ::GetClipboardOwner() == owner.Window(); }, 5s));
            EXPECT_TRUE(WaitUntil(
                [&] { return ClipboardUnicodeText(launcher_.get()) == L"the user's words"; }, 20s));
        }
    }
}

// While another program holds the clipboard that the user's content is to go back to, the
// launcher waits for it with its windows still handling their messages.
TEST_F(ConsoleTyping, TheDialogKeepsAnsweringWhileTheClipboardIsHeld) {
    PutUserWords(launcher_.get());
    UniqueHandle process(::CreateEventW(nullptr, TRUE, FALSE, nullptr)); // Fluent, running
    SlowConsole console(1500, 0, true);
    ASSERT_TRUE(console.Window());
    const EnteredCommand typing = TypeIntoWindow(Command(), console.Window(), process.get());
    ASSERT_EQ(typing.entry, ConsoleEntry::Pasting);
    const HWND dialog = launcher_.get();
    std::atomic<bool> held{false}, answered{false};
    std::thread holder([&] {
        // Wine's own clipboard sync opens it for a moment after each change.
        const auto giveUpAt = std::chrono::steady_clock::now() + 5s;
        bool opened = false;
        while (!(opened = ::OpenClipboard(nullptr)) && std::chrono::steady_clock::now() < giveUpAt)
            std::this_thread::sleep_for(10ms);
        if (!opened) return;
        held = true;
        // Held past the console's end, when the launcher sets about putting the content back.
        while (!console.Gone())
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(1s);
        DWORD_PTR result = 0;
        answered = ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
        ::CloseClipboard();
    });
    const bool back = WaitUntil(
        [&] { return ClipboardUnicodeText(launcher_.get()) == L"the user's words"; }, 30s);
    holder.join();
    EXPECT_TRUE(held);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(back) << ReadLaunchLog();
}

} // namespace
} // namespace qv::test
