#include "launch/supervision/console_typing_win.h"

#include "base/handles_win.h"
#include "base/launch_log_win.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace qv {

namespace {

// A console that stopped answering must not hang the launcher; the clipboard, held by another
// program for a moment, is asked again for as long.
constexpr DWORD AnswerLimitMs = 10000;

// True once the window has handled the message.
bool Send(HWND window, UINT message, WPARAM wParam) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                 AnswerLimitMs, &result) != 0;
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

// False once the window has not taken a character: the rest would wait as long in vain.
bool TypeCharacters(std::wstring_view text, HWND window) {
    for (wchar_t c : text)
        if (!Send(window, WM_CHAR, static_cast<WPARAM>(c))) return false;
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

} // namespace

ConsoleEntry TypeIntoWindow(std::wstring_view text, HWND window) {
    std::optional<std::vector<SavedFormat>> saved = ReplaceClipboard(text, window);
    if (!saved) {
        const bool typed = TypeCharacters(text, window) && Send(window, WM_CHAR, 13);
        return typed ? ConsoleEntry::Typed : ConsoleEntry::Untaken;
    }
    // A console still busy with the paste would take the user's own data, put back too early,
    // for the command: the clipboard waits for its answer.
    if (!Send(window, WM_PASTE, 0)) {
        Log(L"Fluent's console did not answer the paste within " +
            std::to_wstring(AnswerLimitMs / 1000) +
            L" s: the clipboard keeps the load command; the user's clipboard is not put back");
        return ConsoleEntry::Unanswered;
    }
    Send(window, WM_CHAR, 13);
    PutBack(*saved, window);
    return ConsoleEntry::Pasted;
}

} // namespace qv
