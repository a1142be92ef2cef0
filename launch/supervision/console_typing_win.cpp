#include "launch/supervision/console_typing_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"
#include "base/message_wait_win.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

namespace {

// A console that stopped answering must not hang the launcher while it types.
constexpr DWORD AnswerLimitMs = 10000;
// The clipboard, held by another program for a moment, is asked again for this long.
constexpr DWORD ClipboardWaitMs = 2000;
// Saving the user's content, delayed-rendered formats included, gets this long; past it the
// command is typed and the clipboard left alone.
constexpr DWORD SaveLimitMs = 3000;
// A paste still pending when the dialog ends gets this long to be taken.
constexpr DWORD EndWaitMs = 2000;
// How often a paste not yet taken looks whether the console or the process has gone.
constexpr UINT PasteCheckMs = 250;

// Why a message sent to the console was not handled.
enum class SendEnd { Answered, LooksHung, TimedOut };

SendEnd Send(HWND window, UINT message, WPARAM wParam) {
    const ULONGLONG sentAt = ::GetTickCount64();
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                              AnswerLimitMs, &result))
        return SendEnd::Answered;
    // The system gives up at once on a thread that looks hung, without waiting for it.
    return ::GetTickCount64() - sentAt < AnswerLimitMs ? SendEnd::LooksHung : SendEnd::TimedOut;
}

// One format of the user's clipboard, copied so that it outlives the clipboard's emptying.
struct SavedFormat {
    UINT format = 0;
    UniqueGlobal memory;
    UniqueBitmap bitmap;
    UniqueEnhMetaFile metafile;

    HANDLE Handle() const {
        if (memory) return memory.get();
        if (bitmap) return bitmap.get();
        return metafile.get();
    }
    // The clipboard owns the data it accepts; false, with the error, when it refuses it.
    [[nodiscard]] bool GiveToClipboard() {
        if (::SetClipboardData(format, Handle()) == nullptr) return false;
        static_cast<void>(memory.release());
        static_cast<void>(bitmap.release());
        static_cast<void>(metafile.release());
        return true;
    }
};

UniqueGlobal CopyGlobal(HANDLE data) {
    const SIZE_T size = ::GlobalSize(data);
    if (size == 0) return {};
    UniqueGlobal copy(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    const void* from = ::GlobalLock(data);
    void* to = copy ? ::GlobalLock(copy.get()) : nullptr;
    if (from && to) std::memcpy(to, from, size);
    if (to) ::GlobalUnlock(copy.get());
    if (from) ::GlobalUnlock(data);
    return from && to ? std::move(copy) : UniqueGlobal();
}

// Formats whose data is no memory block the launcher could copy: drawn by their owner, handles
// private to their owner, palettes and metafile pictures (which hold further handles).
bool IsUncopiable(UINT format) {
    return format == CF_OWNERDISPLAY || format == CF_PALETTE || format == CF_METAFILEPICT ||
           format == CF_DSPBITMAP || format == CF_DSPMETAFILEPICT || format == CF_DSPENHMETAFILE ||
           (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST);
}

std::optional<SavedFormat> SaveFormat(UINT format) {
    if (IsUncopiable(format)) return std::nullopt;
    HANDLE data = ::GetClipboardData(format);
    if (!data) return std::nullopt;
    SavedFormat saved;
    saved.format = format;
    if (format == CF_BITMAP)
        saved.bitmap.reset(static_cast<HBITMAP>(::CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
    else if (format == CF_ENHMETAFILE)
        saved.metafile.reset(::CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr));
    else
        saved.memory = CopyGlobal(data);
    if (!saved.Handle()) return std::nullopt;
    return saved;
}

// Every format of the open clipboard, or nothing when one of them cannot be saved.
std::optional<std::vector<SavedFormat>> SaveClipboard() {
    std::vector<SavedFormat> saved;
    for (UINT format = ::EnumClipboardFormats(0); format != 0;
         format = ::EnumClipboardFormats(format)) {
        std::optional<SavedFormat> one = SaveFormat(format);
        if (!one) return std::nullopt;
        saved.push_back(std::move(*one));
    }
    return saved;
}

UniqueGlobal AnsiTextBlock(std::wstring_view text) {
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size) + 1));
    char* bytes = block ? static_cast<char*>(::GlobalLock(block.get())) : nullptr;
    if (!bytes) return {};
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes, size,
                          nullptr, nullptr);
    ::GlobalUnlock(block.get());
    return block;
}

// The window that owns the clipboard while it holds the command and when the user's content
// comes back: a clipboard emptied without an owner takes no data (SetClipboardData fails).
UniqueWindow MakeClipboardOwner() {
    return UniqueWindow(::CreateWindowExW(0, L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr));
}

// Another program may hold the clipboard for a moment, the console itself among them; the
// dialog keeps answering meanwhile.
bool OpenClipboardAnswering(HWND owner) {
    const ULONGLONG giveUpAt = ::GetTickCount64() + ClipboardWaitMs;
    while (!::OpenClipboard(owner)) {
        if (::GetTickCount64() >= giveUpAt) return false;
        // A quit already met ends every wait at once: the time is then slept out.
        if (WaitHandlingMessages(nullptr, 20) == WaitEnd::Quit) ::Sleep(20);
    }
    return true;
}

// What a saving thread found, handed over under the lock; once the dialog's thread has stopped
// waiting, the thread drops its copies itself.
struct ClipboardSaving {
    std::mutex lock;
    bool abandoned = false;
    std::optional<std::vector<SavedFormat>> saved;
    DWORD sequence = 0;
};

DWORD WINAPI SaveOnItsOwnThread(void* parameter) {
    std::unique_ptr<std::shared_ptr<ClipboardSaving>> owned(
        static_cast<std::shared_ptr<ClipboardSaving>*>(parameter));
    ClipboardSaving& saving = **owned;
    for (const ULONGLONG giveUpAt = ::GetTickCount64() + ClipboardWaitMs; !::OpenClipboard(nullptr);
         ::Sleep(20))
        if (::GetTickCount64() >= giveUpAt) return 0;
    // A format its owner renders on request is rendered here, as slowly as the owner likes.
    std::optional<std::vector<SavedFormat>> saved = SaveClipboard();
    // Read once closed: closing may complete the formats the rendering changed, which counts.
    ::CloseClipboard();
    const DWORD sequence = ::GetClipboardSequenceNumber();
    const std::lock_guard<std::mutex> hold(saving.lock);
    if (saving.abandoned) return 0;
    saving.saved = std::move(saved);
    saving.sequence = sequence;
    return 0;
}

// The user's clipboard saved whole with the sequence number it had then, or nothing. The saving
// runs on a thread of its own: asking for a delayed-rendered format waits for its owner without
// a limit, and the dialog's thread waits for no more than SaveLimitMs, answering.
std::optional<std::pair<std::vector<SavedFormat>, DWORD>> SaveClipboardBounded() {
    auto saving = std::make_shared<ClipboardSaving>();
    auto* parameter = new std::shared_ptr<ClipboardSaving>(saving);
    UniqueHandle thread(::CreateThread(nullptr, 0, &SaveOnItsOwnThread, parameter, 0, nullptr));
    if (!thread) {
        delete parameter;
        return std::nullopt;
    }
    const WaitEnd end = WaitHandlingMessages(thread.get(), SaveLimitMs);
    std::unique_lock<std::mutex> hold(saving->lock);
    if (end != WaitEnd::Signalled) {
        saving->abandoned = true;
        hold.unlock();
        Log(LogLevel::Warning,
            L"the user's clipboard could not be saved within " +
                std::to_wstring(SaveLimitMs / 1000) +
                L" s (the program that holds or renders its content did not give it): it is left "
                L"alone");
        return std::nullopt;
    }
    if (!saving->saved) return std::nullopt;
    return std::make_pair(std::move(*saving->saved), saving->sequence);
}

// Hands the saved formats back to the clipboard, opened and emptied by owner; what was refused
// is kept out of the log's "put back".
std::wstring GiveBack(std::vector<SavedFormat>& saved) {
    std::wstring refused;
    for (SavedFormat& format : saved)
        if (!format.GiveToClipboard())
            refused += (refused.empty() ? L"" : L", ") + std::to_wstring(format.format) +
                       L" (error " + std::to_wstring(::GetLastError()) + L")";
    return refused;
}

// Puts the user's content back unless another program has taken the clipboard since the command
// went onto it: then that program's content stays. Says what happened, for the log.
std::wstring PutBack(std::vector<SavedFormat>& saved, HWND owner) {
    if (!OpenClipboardAnswering(owner))
        return L"the clipboard could not be opened within " +
               std::to_wstring(ClipboardWaitMs / 1000) + L" s (error " +
               std::to_wstring(::GetLastError()) +
               L"): it keeps the load command, and the user's content is not put back";
    if (::GetClipboardOwner() != owner) {
        ::CloseClipboard();
        return L"another program has put its content on the clipboard since: it is left there, "
               L"and the user's earlier content is not put back";
    }
    if (!::EmptyClipboard()) {
        const DWORD error = ::GetLastError();
        ::CloseClipboard();
        return L"the clipboard could not be emptied (error " + std::to_wstring(error) +
               L"): it keeps the load command, and the user's content is not put back";
    }
    const std::wstring refused = GiveBack(saved);
    ::CloseClipboard();
    if (refused.empty())
        return L"the user's clipboard is put back (" + std::to_wstring(saved.size()) + L" formats)";
    return L"the user's clipboard is put back except the formats the clipboard refused: " + refused;
}

// False, and logged, when the console did not take a character.
bool TypeCharacters(std::wstring_view text, HWND window) {
    for (wchar_t c : text) {
        const SendEnd end = Send(window, WM_CHAR, static_cast<WPARAM>(c));
        if (end == SendEnd::Answered) continue;
        Log(LogLevel::Warning,
            end == SendEnd::LooksHung
                ? std::wstring(L"Fluent's console looks hung: typing the load command stopped")
                : L"Fluent's console did not answer within " +
                      std::to_wstring(AnswerLimitMs / 1000) +
                      L" s: typing the load command stopped");
        return false;
    }
    return true;
}

// Puts the text alone on the clipboard, owned by owner, having saved what was there; nothing
// when the clipboard cannot be saved whole and is left as it was.
std::optional<std::vector<SavedFormat>> ReplaceClipboard(std::wstring_view text, HWND owner) {
    auto saved = SaveClipboardBounded();
    UniqueGlobal block = saved ? AnsiTextBlock(text) : UniqueGlobal();
    if (!block || !OpenClipboardAnswering(owner)) return std::nullopt;
    // Content put there after the saving would be lost with the emptying.
    if (::GetClipboardSequenceNumber() != saved->second || !::EmptyClipboard()) {
        ::CloseClipboard();
        return std::nullopt;
    }
    const bool placed = ::SetClipboardData(CF_TEXT, block.get()) != nullptr;
    if (placed) static_cast<void>(block.release());
    ::CloseClipboard();
    if (!placed) {
        Log(LogLevel::Warning, L"the load command could not be put on the clipboard (error " +
                                   std::to_wstring(::GetLastError()) + L"): " +
                                   PutBack(saved->first, owner));
        return std::nullopt;
    }
    return std::move(saved->first);
}

// A paste sent to the console and not yet taken. The system's callbacks (the paste's answer, the
// checks' timer) find it through current: one paste at a time, and never one that has gone.
class PendingPaste final : public LaunchAftercare {
  public:
    PendingPaste(std::vector<SavedFormat> saved, UniqueWindow owner, HWND console,
                 UniqueHandle process)
        : saved_(std::move(saved)), owner_(std::move(owner)), console_(console),
          process_(std::move(process)) {}
    ~PendingPaste() override { Conclude(); }
    PendingPaste(const PendingPaste&) = delete;
    PendingPaste& operator=(const PendingPaste&) = delete;

    static PendingPaste* Current() { return current; }

    // False when the paste cannot be sent (the window has gone): the clipboard is back then.
    bool Start() {
        current = this;
        sentAt_ = ::GetTickCount64();
        if (!::SendMessageCallbackW(console_, WM_PASTE, 0, 0, &Answered,
                                    reinterpret_cast<ULONG_PTR>(this))) {
            Finish(L"the paste could not be sent to Fluent's console");
            return false;
        }
        timer_ = ::SetTimer(nullptr, 0, PasteCheckMs, &Check);
        return true;
    }

    // Left pending, the command would stay on the clipboard for good and the user's content be
    // dropped; a console that takes it within the wait still gets its Enter.
    void Conclude() override {
        if (done_) return;
        WaitHandlingMessages(nullptr, EndWaitMs, [this] { return done_; });
        if (!done_)
            Finish(L"Fluent's console had not taken the paste " +
                   std::to_wstring(::GetTickCount64() - sentAt_) +
                   L" ms after it was sent, when the paste's watch ended");
    }

  private:
    static void CALLBACK Answered(HWND, UINT, ULONG_PTR paste, LRESULT) {
        PendingPaste* self = current;
        if (!self || reinterpret_cast<ULONG_PTR>(self) != paste) return;
        // A console that has gone answers nothing: its end only released the paste.
        if (!::IsWindow(self->console_)) {
            self->Finish(L"Fluent's console closed before it took the paste");
            return;
        }
        self->Stop();
        const std::wstring back = PutBack(self->saved_, self->owner_.get());
        // The console has just answered; Enter reaches it after the paste, sent messages keep
        // their order.
        ::SendNotifyMessageW(self->console_, WM_CHAR, 13, 0);
        Log(L"load command pasted into Fluent's console after " +
            std::to_wstring(::GetTickCount64() - self->sentAt_) + L" ms, and Enter sent; " + back);
    }
    static void CALLBACK Check(HWND, UINT, UINT_PTR timer, DWORD) {
        PendingPaste* self = current;
        if (!self || self->timer_ != timer) return;
        if (!::IsWindow(self->console_))
            self->Finish(L"Fluent's console closed before it took the paste");
        else if (self->process_ && ::WaitForSingleObject(self->process_.get(), 0) == WAIT_OBJECT_0)
            self->Finish(L"Fluent ended before its console took the paste");
    }
    void Stop() {
        if (timer_) ::KillTimer(nullptr, timer_);
        timer_ = 0;
        if (current == this) current = nullptr;
        done_ = true;
    }
    // The paste can no longer take the clipboard: the user's content comes back.
    void Finish(const std::wstring& why) {
        Stop();
        Log(LogLevel::Warning,
            why + L": the load command was not entered; " + PutBack(saved_, owner_.get()));
    }

    static inline PendingPaste* current = nullptr;
    std::vector<SavedFormat> saved_;
    UniqueWindow owner_;
    HWND console_;
    UniqueHandle process_;
    UINT_PTR timer_ = 0;
    ULONGLONG sentAt_ = 0;
    bool done_ = false;
};

UniqueHandle Duplicate(HANDLE process) {
    HANDLE copy = nullptr;
    if (!process || !::DuplicateHandle(::GetCurrentProcess(), process, ::GetCurrentProcess(), &copy,
                                       SYNCHRONIZE, FALSE, 0))
        return {};
    return UniqueHandle(copy);
}

} // namespace

EnteredCommand TypeIntoWindow(std::wstring_view text, HWND window, HANDLE process) {
    // A paste still pending would have its command saved as the user's content.
    if (PendingPaste* pending = PendingPaste::Current()) pending->Conclude();
    EnteredCommand typing;
    UniqueWindow owner = MakeClipboardOwner();
    std::optional<std::vector<SavedFormat>> saved =
        owner ? ReplaceClipboard(text, owner.get()) : std::nullopt;
    if (!saved) {
        const bool typed =
            TypeCharacters(text, window) && Send(window, WM_CHAR, 13) == SendEnd::Answered;
        typing.entry = typed ? ConsoleEntry::Typed : ConsoleEntry::NotEntered;
        return typing;
    }
    auto paste = std::make_unique<PendingPaste>(std::move(*saved), std::move(owner), window,
                                                Duplicate(process));
    if (!paste->Start()) return typing;
    typing.entry = ConsoleEntry::Pasting;
    typing.paste = std::move(paste);
    return typing;
}

} // namespace qv
