#include "tests/support/text_fit_win.h"

#include "tests/support/top_level_windows_win.h"

#include <cstdint>
#include <string>

namespace qv::test {
namespace {

// The screen's device context with a font selected, which goes back out at the end.
class MeasuringDc {
  public:
    explicit MeasuringDc(HFONT font) : previous_(::SelectObject(screen_.get(), font)) {}
    ~MeasuringDc() { ::SelectObject(screen_.get(), previous_); }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;
    HDC get() const { return screen_.get(); }

  private:
    WindowDc screen_{nullptr};
    HGDIOBJ previous_;
};

// How a control lays out its text: the DrawText flags it draws with and the room it leaves.
struct TextRoom {
    UINT format;
    SIZE room;
};

SIZE SizeOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Statics draw their text with DrawText in their client area; pictures have no text to cut.
bool StaticRoom(DWORD style, SIZE client, TextRoom& room) {
    const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        room = {DT_WORDBREAK | DT_EXPANDTABS | prefix, client};
        return true;
    case SS_LEFTNOWORDWRAP:
        room = {DT_EXPANDTABS | prefix, client};
        return true;
    case SS_SIMPLE:
        room = {DT_SINGLELINE | prefix, client};
        return true;
    default:
        return false;
    }
}

// A check box or radio button leaves its text what its mark (12 pixels and one at 96 DPI), a
// gap of half a digit and a pixel of margin leave; a push button what its edges and the default
// button's frame leave; a group box what its frame's indent of 7 pixels and a pixel of margin
// leave, and a pixel before the frame's right edge.
bool ButtonRoom(DWORD style, SIZE client, HDC dc, int dpi, TextRoom& room) {
    if (style & (BS_ICON | BS_BITMAP)) return false;
    const UINT lines = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        if (style & BS_PUSHLIKE) break;
        INT digit = 0;
        ::GetCharWidth32W(dc, L'0', L'0', &digit);
        room = {lines, {client.cx - (12 * dpi / 96 + 1) - digit / 2 - 1, client.cy}};
        return true;
    }
    case BS_GROUPBOX:
        room = {DT_SINGLELINE, {client.cx - 7 - 1 - 1, client.cy}};
        return true;
    case BS_OWNERDRAW:
    case BS_USERBUTTON:
        return false;
    default:
        break;
    }
    room = {lines, {client.cx - 2 * 4, client.cy - 2 * 3}};
    return true;
}

SIZE Measure(HDC dc, const std::wstring& text, const TextRoom& room) {
    RECT bounds{0, 0, room.room.cx, 0};
    ::DrawTextW(dc, text.c_str(), -1, &bounds, room.format | DT_CALCRECT);
    return SizeOf(bounds);
}

void Check(std::vector<CutText>& cut, HDC dc, int id, const std::wstring& text,
           const TextRoom& room) {
    if (text.empty()) return;
    const SIZE needed = Measure(dc, text, room);
    if (needed.cx > room.room.cx || needed.cy > room.room.cy)
        cut.push_back({id, text, needed, room.room});
}

// A drop-down list shows its entries in its item area, the part its button and its edges leave.
// Another process's list cannot be asked for that area: it is then the client area less the
// button (as wide as a scroll bar, at the list's DPI) and two edges each side.
SIZE ItemAreaOf(HWND combo, int dpi) {
    COMBOBOXINFO info{sizeof(info)};
    if (::GetComboBoxInfo(combo, &info)) return SizeOf(info.rcItem);
    RECT client{};
    ::GetClientRect(combo, &client);
    const int button = ::MulDiv(::GetSystemMetrics(SM_CXVSCROLL), dpi, ScreenDpi());
    return {SizeOf(client).cx - button - 2 * 2, SizeOf(client).cy - 2 * 2};
}

void CheckComboEntries(std::vector<CutText>& cut, HDC dc, HWND combo, int dpi) {
    const TextRoom room{DT_SINGLELINE | DT_NOPREFIX, ItemAreaOf(combo, dpi)};
    for (const std::wstring& entry : ComboTexts(combo))
        Check(cut, dc, ::GetDlgCtrlID(combo), entry, room);
}

void CheckControl(std::vector<CutText>& cut, HWND control, HFONT font, int dpi) {
    const std::wstring className = ClassNameOf(control);
    const auto style = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
    const MeasuringDc dc(font ? font
                              : reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT client{};
    ::GetClientRect(control, &client);
    const int id = ::GetDlgCtrlID(control);
    TextRoom room{};
    if (className == L"ComboBox") {
        CheckComboEntries(cut, dc.get(), control, dpi);
    } else if (className == L"Edit") {
        const auto margins = static_cast<DWORD>(::SendMessageW(control, EM_GETMARGINS, 0, 0));
        room = {DT_SINGLELINE | DT_NOPREFIX,
                {SizeOf(client).cx - LOWORD(margins) - HIWORD(margins), SizeOf(client).cy}};
        Check(cut, dc.get(), id, TextOf(control), room);
    } else if ((className == L"Static" && StaticRoom(style, SizeOf(client), room)) ||
               (className == L"Button" && ButtonRoom(style, SizeOf(client), dc.get(), dpi, room))) {
        Check(cut, dc.get(), id, TextOf(control), room);
    }
}

// The zero-terminated UTF-16 text at offset of a template, and the offset after it.
std::wstring TemplateText(const std::uint8_t* bytes, std::size_t size, std::size_t& offset) {
    std::wstring text;
    for (; offset + 1 < size; offset += 2) {
        const auto unit = static_cast<wchar_t>(bytes[offset] | bytes[offset + 1] << 8);
        if (unit == 0) {
            offset += 2;
            return text;
        }
        text += unit;
    }
    return text;
}

// A menu or class of a template: 0 alone, 0xFFFF and an ordinal, or a text.
void SkipNameOrOrdinal(const std::uint8_t* bytes, std::size_t size, std::size_t& offset) {
    if (offset + 1 >= size) return;
    const unsigned first = bytes[offset] | bytes[offset + 1] << 8;
    if (first == 0)
        offset += 2;
    else if (first == 0xFFFF)
        offset += 4;
    else
        TemplateText(bytes, size, offset);
}

} // namespace

std::wstring Describe(const std::vector<CutText>& cut) {
    std::wstring lines;
    for (const CutText& text : cut)
        lines += L"control " + std::to_wstring(text.id) + L" \"" + text.text + L"\" needs " +
                 std::to_wstring(text.needed.cx) + L"x" + std::to_wstring(text.needed.cy) +
                 L" px, has " + std::to_wstring(text.room.cx) + L"x" +
                 std::to_wstring(text.room.cy) + L"\n";
    return lines;
}

std::vector<CutText> CutTextsOf(HWND dialog, HFONT font, int dpi) {
    std::vector<CutText> cut;
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control;
         control = ::GetWindow(control, GW_HWNDNEXT))
        if (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE)
            CheckControl(cut, control, font, dpi);
    return cut;
}

UniqueFont TemplateFont(HMODULE module, int templateId, int dpi) {
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
    const std::size_t size = resource ? ::SizeofResource(module, resource) : 0;
    // An extended template: version 1, 0xFFFF, help id, extended style, style, control count and
    // rectangle; then menu, class, title and, with DS_SETFONT, the font.
    constexpr std::size_t StyleOffset = 12, MenuOffset = 26;
    if (!bytes || size < MenuOffset) return UniqueFont();
    const DWORD style = bytes[StyleOffset] | bytes[StyleOffset + 1] << 8 |
                        bytes[StyleOffset + 2] << 16 |
                        static_cast<DWORD>(bytes[StyleOffset + 3]) << 24;
    if (!(style & DS_SETFONT)) return UniqueFont();
    std::size_t offset = MenuOffset;
    SkipNameOrOrdinal(bytes, size, offset);
    SkipNameOrOrdinal(bytes, size, offset);
    TemplateText(bytes, size, offset);
    if (offset + 6 > size) return UniqueFont();
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(bytes[offset] | bytes[offset + 1] << 8, dpi, 72);
    font.lfWeight = bytes[offset + 2] | bytes[offset + 3] << 8;
    font.lfItalic = bytes[offset + 4];
    font.lfCharSet = bytes[offset + 5];
    offset += 6;
    const std::wstring face = TemplateText(bytes, size, offset);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfQuality = PROOF_QUALITY;
    return UniqueFont(::CreateFontIndirectW(&font));
}

int ScreenDpi() {
    const WindowDc screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

} // namespace qv::test
