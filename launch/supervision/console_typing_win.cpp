#include "launch/supervision/console_typing_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace qv {

namespace {

// A console that stopped answering must not hang the launcher while it types; the clipboard,
// held by another program for a moment, is asked again for as long.
constexpr DWORD AnswerLimitMs = 10000;
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
    // The clipboard owns the data it accepts.
    void GiveToClipboard() {
        if (::SetClipboardData(format, Handle()) == nullptr) return;
        static_cast<void>(memory.release());
        static_cast<void>(bitmap.release());
        static_cast<void>(metafile.release());
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

// Another program may hold the clipboard for a moment, the console itself among them.
bool OpenClipboardPatiently(HWND owner) {
    const ULONGLONG giveUpAt = ::GetTickCount64() + AnswerLimitMs;
    while (!::OpenClipboard(owner)) {
        if (::GetTickCount64() >= giveUpAt) return false;
        ::Sleep(20);
    }
    return true;
}

void PutBack(std::vector<SavedFormat>& saved, HWND owner) {
    if (!OpenClipboardPatiently(owner)) {
        LogFailure(L"put the user's clipboard back: it keeps the console command and lost its "
                   L"own content",
                   L"clipboard", ::GetLastError());
        return;
    }
    ::EmptyClipboard();
    for (SavedFormat& format : saved)
        format.GiveToClipboard();
    ::CloseClipboard();
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

// Puts the text alone on the clipboard, having saved what was there; nothing when the clipboard
// cannot be saved whole and is left as it was.
std::optional<std::vector<SavedFormat>> ReplaceClipboard(std::wstring_view text, HWND owner) {
    if (!::OpenClipboard(owner)) return std::nullopt;
    std::optional<std::vector<SavedFormat>> saved = SaveClipboard();
    UniqueGlobal block = saved ? AnsiTextBlock(text) : UniqueGlobal();
    if (!block || !::EmptyClipboard()) {
        ::CloseClipboard();
        return std::nullopt;
    }
    const bool placed = ::SetClipboardData(CF_TEXT, block.get()) != nullptr;
    if (placed) static_cast<void>(block.release());
    ::CloseClipboard();
    if (!placed) {
        PutBack(*saved, owner);
        return std::nullopt;
    }
    return saved;
}

// A paste sent to the console and not yet taken. The system's callbacks (the paste's answer, the
// checks' timer) find it through current: one paste at a time, and never one that has gone.
class PendingPaste final : public LaunchAftercare {
  public:
    PendingPaste(std::vector<SavedFormat> saved, HWND console, UniqueHandle process)
        : saved_(std::move(saved)), console_(console), process_(std::move(process)) {}
    ~PendingPaste() override {
        if (done_) return;
        Stop();
        Log(LogLevel::Warning,
            L"Fluent's console has not taken the paste, which is no longer watched: the clipboard "
            L"keeps the load command; the user's clipboard content is not put back");
    }
    PendingPaste(const PendingPaste&) = delete;
    PendingPaste& operator=(const PendingPaste&) = delete;

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

  private:
    static void CALLBACK Answered(HWND, UINT, ULONG_PTR paste, LRESULT) {
        PendingPaste* self = current;
        if (!self || reinterpret_cast<ULONG_PTR>(self) != paste) return;
        // A console that has gone answers nothing: its end only released the paste.
        if (!::IsWindow(self->console_)) {
            self->Finish(L"Fluent's console closed before it took the paste");
            return;
        }
        self->Finish(nullptr);
        // The console has just answered; Enter reaches it after the paste, sent messages keep
        // their order.
        ::SendNotifyMessageW(self->console_, WM_CHAR, 13, 0);
        Log(L"load command pasted into Fluent's console after " +
            std::to_wstring(::GetTickCount64() - self->sentAt_) + L" ms, and Enter sent");
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
    void Finish(const wchar_t* why) {
        Stop();
        PutBack(saved_, ::IsWindow(console_) ? console_ : nullptr);
        if (why)
            Log(LogLevel::Warning, std::wstring(why) +
                                       L": the load command was not entered; the user's "
                                       L"clipboard is put back");
    }

    static inline PendingPaste* current = nullptr;
    std::vector<SavedFormat> saved_;
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
    EnteredCommand typing;
    std::optional<std::vector<SavedFormat>> saved = ReplaceClipboard(text, window);
    if (!saved) {
        const bool typed =
            TypeCharacters(text, window) && Send(window, WM_CHAR, 13) == SendEnd::Answered;
        typing.entry = typed ? ConsoleEntry::Typed : ConsoleEntry::NotEntered;
        return typing;
    }
    auto paste = std::make_unique<PendingPaste>(std::move(*saved), window, Duplicate(process));
    if (!paste->Start()) return typing;
    typing.entry = ConsoleEntry::Pasting;
    typing.paste = std::move(paste);
    return typing;
}

} // namespace qv
