#include "viewer/win32/rich_edit.h"

#include <commctrl.h>
#include <imm.h>
#include <richedit.h>

#include <algorithm>
#include <cstdint>

#include "common/stage_timing.h"
#include "viewer/win32/platform_win32.h"

namespace kestrel::win32 {

namespace {

// Loaded once for the process and never freed: the control class lives in it.
const wchar_t* RichEditClass() {
    static const wchar_t* cls = [] {
        if (LoadLibraryW(L"Msftedit.dll")) return L"RICHEDIT50W";
        if (LoadLibraryW(L"Riched20.dll")) return L"RichEdit20W";
        return static_cast<const wchar_t*>(nullptr);
    }();
    return cls;
}

// One line as the control holds it. A CR or LF inside the line would become a line break of
// the control (and CR LF in the file); it is carried as a raw byte instead, so that the line
// comes back as it was.
std::wstring LineToControl(std::string_view line) {
    std::wstring w = WideLossless(line);
    for (wchar_t& c : w)
        if (c == L'\r' || c == L'\n') c = static_cast<wchar_t>(kRawByteBase + c);
    return w;
}

// UTF-16 lines of a Shift-JIS text whose lines end in CR LF (or a lone LF), joined by the
// control's single CR.
std::wstring ToControlText(std::string_view sjis, SjisLineMemory* memory) {
    std::wstring out;
    size_t pos = 0;
    for (;;) {
        size_t lf = sjis.find('\n', pos);
        std::string_view line =
            sjis.substr(pos, lf == std::string_view::npos ? sjis.npos : lf - pos);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (memory) memory->Remember(line);
        out += LineToControl(line);
        if (lf == std::string_view::npos) break;
        out.push_back(L'\r');
        pos = lf + 1;
    }
    return out;
}

// The timer of the parts of a long text after the first. Timer ticks come after painting, so
// the first part is on screen before the next goes in, and the user's input is handled between
// two parts.
constexpr UINT_PTR kLoadTimer = 0x4B45;

// Text handed to EM_STREAMIN.
struct StreamSource {
    const BYTE* data;
    size_t size;
    size_t done = 0;
};

DWORD CALLBACK StreamIn(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
    auto* s = reinterpret_cast<StreamSource*>(cookie);
    size_t n = std::min(static_cast<size_t>(want), s->size - s->done);
    std::copy(s->data + s->done, s->data + s->done + n, buffer);
    s->done += n;
    *got = static_cast<LONG>(n);
    return 0;
}

// Text inserted as plain Unicode text: never taken for RTF, whatever it starts with.
void StreamText(HWND h, const std::wstring& text, bool selectionOnly) {
    StreamSource src{reinterpret_cast<const BYTE*>(text.data()), text.size() * sizeof(wchar_t)};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = &StreamIn;
    WPARAM format = SF_TEXT | SF_UNICODE | (selectionOnly ? SFF_SELECTION : 0);
    SendMessageW(h, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&es));
}

// The attributes of every character once the formats are applied in order, later ranges over
// earlier ones, as EM_SETCHARFORMAT would apply them: the stream and the plain fallback give the
// same result. False when a format holds something else than a colour or an underline.
COLORREF ColourOf(const CHARFORMAT2W& cf) {
    return (cf.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor;
}

bool ComputeAttributes(size_t length, const std::vector<CHARRANGE>& ranges,
                       const std::vector<CHARFORMAT2W>& formats, const CHARFORMAT2W& def,
                       CharAttributes& a) {
    a.table = {ColourOf(def)};
    a.colour.assign(length, 1);
    a.underline.assign(length, (def.dwEffects & CFE_UNDERLINE) ? 1 : 0);
    for (size_t i = 0; i < formats.size(); ++i) {
        const CHARFORMAT2W& cf = formats[i];
        if (cf.dwMask & ~static_cast<DWORD>(CFM_COLOR | CFM_UNDERLINE)) return false;
        size_t from = std::min(static_cast<size_t>(std::max(ranges[i].cpMin, 0L)), length);
        size_t to = std::min(static_cast<size_t>(std::max(ranges[i].cpMax, 0L)), length);
        if (to <= from) continue;
        if (cf.dwMask & CFM_COLOR) {
            COLORREF c = ColourOf(cf);
            auto at = std::find(a.table.begin(), a.table.end(), c);
            if (at == a.table.end()) {
                if (a.table.size() >= 250) return false;
                at = a.table.insert(a.table.end(), c);
            }
            std::fill(a.colour.begin() + from, a.colour.begin() + to,
                      static_cast<std::uint8_t>(at - a.table.begin() + 1));
        }
        if (cf.dwMask & CFM_UNDERLINE)
            std::fill(a.underline.begin() + from, a.underline.begin() + to,
                      (cf.dwEffects & CFE_UNDERLINE) ? 1 : 0);
    }
    return true;
}

// Rich text of the characters [from, to) of text with their attributes, for one EM_STREAMIN:
// the face, size and colour of def, then each character's colour and underline. Every character
// that is not printable ASCII goes as \uN, so the control holds exactly the UTF-16 text that a
// plain stream would give (the caller checks that it does). endsText: the stream replaces the
// control's text and ends it.
void BuildRtf(const std::wstring& text, size_t from, size_t to, const CharAttributes& a,
              const CHARFORMAT2W& def, bool endsText, std::string& out) {
    out.clear();
    out.reserve((to - from) * 4 + 256);
    auto put = [&out](wchar_t c) {
        if (c == L'\\' || c == L'{' || c == L'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\u";
            out += std::to_string(static_cast<std::int16_t>(c));
            out += '?';
        }
    };
    out += "{\\rtf1\\ansi\\ansicpg932\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset";
    out += std::to_string(def.bCharSet);
    out += ' ';
    for (const wchar_t* f = def.szFaceName; *f && f < def.szFaceName + LF_FACESIZE; ++f) put(*f);
    out += ";}}{\\colortbl;";
    for (COLORREF c : a.table) {
        out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) +
               "\\blue" + std::to_string(GetBValue(c)) + ";";
    }
    out += "}\\pard\\plain\\f0\\fs" + std::to_string(def.yHeight / 10) + " ";
    std::uint8_t shownColour = 0, shownUnderline = 0;
    for (size_t i = from; i < to; ++i) {
        wchar_t c = text[i];
        if (c == L'\r') {
            out += "\\par\n";
            continue;
        }
        if (a.colour[i] != shownColour) {
            shownColour = a.colour[i];
            out += "\\cf" + std::to_string(shownColour) + " ";
        }
        if (a.underline[i] != shownUnderline) {
            shownUnderline = a.underline[i];
            out += shownUnderline ? "\\ul " : "\\ulnone ";
        }
        if (c == L'\t') {
            out += "\\tab ";
        } else {
            put(c);
        }
    }
    // The control drops the paragraph mark that ends the stream, which a plain stream keeps: a
    // text ending with an empty line needs one more.
    if (endsText && to > from && text[to - 1] == L'\r') out += "\\par\n";
    out += '}';
}

struct RtfSource {
    const std::string* data;
    size_t done = 0;
};

DWORD CALLBACK RtfIn(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
    auto* s = reinterpret_cast<RtfSource*>(cookie);
    size_t n = std::min(static_cast<size_t>(want), s->data->size() - s->done);
    std::copy(s->data->data() + s->done, s->data->data() + s->done + n, buffer);
    s->done += n;
    *got = static_cast<LONG>(n);
    return 0;
}

// Rich text inserted by one EM_STREAMIN (flags: SFF_SELECTION to insert at the selection).
void StreamRtf(HWND h, const std::string& rtf, WPARAM flags) {
    RtfSource src{&rtf};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = &RtfIn;
    SendMessageW(h, EM_STREAMIN, SF_RTF | flags, reinterpret_cast<LPARAM>(&es));
}

// The end of the part of text that starts at from: the line end after want characters, or the
// text's end when the rest is not much longer than want.
size_t PartEnd(const std::wstring& text, size_t from, size_t want, size_t slack) {
    if (text.size() - from <= want + slack) return text.size();
    size_t cr = text.find(L'\r', from + want);
    return cr == std::wstring::npos ? text.size() : cr;
}

bool LooksLikeRtf(const std::wstring& text) {
    return text.compare(0, 5, L"{\\rtf") == 0 || text.compare(0, 6, L"{\\urtf") == 0;
}

unsigned ModifierBits() {
    unsigned m = 0;
    if (GetKeyState(VK_SHIFT) < 0) m |= 1;
    if (GetKeyState(VK_CONTROL) < 0) m |= 2;
    if (GetKeyState(VK_MENU) < 0) m |= 4;
    return m;
}

}  // namespace

COLORREF ToColorRef(Colour colour) {
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFF));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

RichEdit1::~RichEdit1() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &RichEdit1::SubclassProc, 1);
}

bool RichEdit1::Create(HWND parent, int id) {
    const wchar_t* cls = RichEditClass();
    if (!cls) return false;
    hwnd_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, cls, L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
            ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN | ES_SAVESEL,
        0, 0, 100, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return false;
    PrepareControl();
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SetWordWrap(false);
    // Closed at design.
    SetImeMode(ImeMode::Closed);
    return true;
}

void RichEdit1::PrepareControl() {
    // The default limit of 32 K characters would cut long mails.
    SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    // No automatic font switching: the text keeps the font the viewer gives it.
    SendMessageW(hwnd_, EM_SETLANGOPTIONS, 0, 0);
    SetWindowSubclass(hwnd_, &RichEdit1::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK RichEdit1::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    bool handled = false;
    LRESULT r = reinterpret_cast<RichEdit1*>(self)->OnMessage(msg, wParam, lParam, handled);
    return handled ? r : DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT RichEdit1::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (ReadOnly() && (wParam == VK_DELETE || wParam == VK_BACK)) {
                handled = true;
                if (wParam == VK_DELETE && onDeleteKey) onDeleteKey();
                if (wParam == VK_BACK && onBackSpaceKey) onBackSpaceKey();
                return 0;
            }
            if (onKeyDown && onKeyDown(static_cast<int>(wParam), ModifierBits())) {
                handled = true;
                return 0;
            }
            // A key for the control itself may move to or edit any part of the text.
            FinishLoad();
            cacheValid_ = false;
            break;
        case WM_CHAR:
        case WM_IME_CHAR:
        case WM_UNICHAR:
            if (ReadOnly()) {
                handled = true;
                return 0;
            }
            FinishLoad();
            cacheValid_ = false;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // The handler runs after the control has placed the caret where the click was, so
            // that a click on an address opens that address.
            LRESULT r = DefSubclassProc(hwnd_, msg, wParam, lParam);
            if (onMouseDown) onMouseDown();
            handled = true;
            return r;
        }
        case WM_RBUTTONUP:
            // The control shows no menu of its own; ours opens where the button was released.
            if (onContextMenu) {
                POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                ClientToScreen(hwnd_, &pt);
                onContextMenu(pt.x, pt.y);
                handled = true;
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            if (onContextMenu) {
                int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
                if (x == -1 && y == -1) {
                    // From the keyboard: at the caret.
                    POINT pt{};
                    GetCaretPos(&pt);
                    ClientToScreen(hwnd_, &pt);
                    x = pt.x;
                    y = pt.y;
                }
                onContextMenu(x, y);
                handled = true;
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == kLoadTimer) {
                if (tail_) LoadMore(false);
                handled = true;
                return 0;
            }
            break;
        case WM_DESTROY:
            DropLoad();
            break;
        // Whoever reads the text (another program, a dialog, our own calls: they all come
        // through here) gets all of it, and whatever changes it works on all of it.
        case WM_GETTEXT:
        case EM_GETTEXTEX:
        case EM_GETTEXTRANGE:
        case EM_GETSELTEXT:
        case EM_STREAMOUT:
        case EM_FINDTEXT:
        case EM_FINDTEXTEX:
        case EM_FINDTEXTW:
        case EM_FINDTEXTEXW:
        case WM_COPY:
            FinishLoad();
            break;
        // Everything else that may change the text; EN_CHANGE covers the rest.
        case WM_SETTEXT:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case EM_REDO:
        case EM_REPLACESEL:
        case EM_SETTEXTEX:
        case EM_STREAMIN:
        case EM_PASTESPECIAL:
        case WM_IME_COMPOSITION:
            FinishLoad();
            cacheValid_ = false;
            break;
        default:
            break;
    }
    return 0;
}

// --- text ----------------------------------------------------------------------------------

std::wstring RichEdit1::ControlText() const {
    GETTEXTLENGTHEX gl{GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT n = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
    if (n <= 0) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX gt{};
    gt.cb = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
    gt.flags = GT_DEFAULT;
    gt.codepage = 1200;
    LRESULT got = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt),
                               reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(got > 0 ? std::min(static_cast<size_t>(got), buf.size()) : 0);
    return buf;
}

void RichEdit1::Refresh() const {
    if (cacheValid_) return;
    std::wstring text = hwnd_ ? ControlText() : std::wstring();
    lines_.clear();
    if (!text.empty()) {
        size_t pos = 0;
        for (;;) {
            size_t cr = text.find(L'\r', pos);
            std::wstring_view line(text.data() + pos,
                                   (cr == std::wstring::npos ? text.size() : cr) - pos);
            std::u16string u(line.begin(), line.end());
            for (char16_t& c : u)
                if (c == kRawByteBase + u'\r' || c == kRawByteBase + u'\n')
                    c = static_cast<char16_t>(c - kRawByteBase);
            lines_.push_back(memory_.ToSjis(u));
            if (cr == std::wstring::npos) break;
            pos = cr + 1;
        }
    }
    map_ = PositionMap(lines_);
    cacheValid_ = true;
}

void RichEdit1::StreamStyled(const PendingText& pending) {
    DropLoad();
    EmptyControl();
    CHARFORMAT2W def{};
    def.cbSize = sizeof def;
    SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&def));
    std::vector<CHARRANGE> ranges;
    std::vector<CHARFORMAT2W> formats;
    for (const PendingFormat& f : pending.formats) {
        ranges.push_back(f.range);
        formats.push_back(f.format);
    }
    CharAttributes attributes;
    const bool simple = ComputeAttributes(pending.text.size(), ranges, formats, def, attributes);
    lastFillStreamed_ = false;
    if (simple && !pending.text.empty()) {
        // A long text: its first part now, up to a line end, and the rest later.
        const size_t head = PartEnd(pending.text, 0, kFirstPart, kLaterPart / 4);
        const bool whole = head == pending.text.size();
        std::string rtf;
        BuildRtf(pending.text, 0, head, attributes, def, whole, rtf);
        StageMark("rich text");
        StreamRtf(hwnd_, rtf, 0);
        SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
        StageMark("stream into the control");
        // The text must come back exactly as a plain stream would have left it.
        const std::wstring back = ControlText();
        lastFillStreamed_ = whole ? back == pending.text
                                  : back.size() == head &&
                                        std::equal(back.begin(), back.end(), pending.text.begin());
        StageMark("check");
        if (lastFillStreamed_ && !whole) StartLoad(pending.text, head, std::move(attributes), def);
    }
    if (!lastFillStreamed_) {
        if (simple) {
            FillPlain(pending.text, attributes, def);
        } else {
            // Formats beyond colour and underline: each as given, in order.
            SetControlText(pending.text);
            for (const PendingFormat& f : pending.formats) {
                CHARRANGE range = f.range;
                CHARFORMAT2W cf = f.format;
                SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
                SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
            }
        }
        StageMark("stream and format");
    }
    // lines_ describe this text.
    cacheValid_ = true;
}

void RichEdit1::FillPlain(const std::wstring& text, const CharAttributes& a,
                          const CHARFORMAT2W& def) const {
    StreamText(hwnd_, text, false);
    SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
    // Only the runs that differ from the default: one format call costs the control a new
    // layout of its range, so a call per given range made a long mail take minutes.
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR | CFM_UNDERLINE;
    const size_t n = text.size();
    const std::uint8_t plainUnderline = (def.dwEffects & CFE_UNDERLINE) ? 1 : 0;
    for (size_t i = 0; i < n;) {
        size_t j = i + 1;
        while (j < n && a.colour[j] == a.colour[i] && a.underline[j] == a.underline[i]) ++j;
        if (a.colour[i] != 1 || a.underline[i] != plainUnderline) {
            cf.crTextColor = a.table[a.colour[i] - 1];
            cf.dwEffects = a.underline[i] ? CFE_UNDERLINE : 0;
            CHARRANGE range{static_cast<LONG>(i), static_cast<LONG>(j)};
            SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        }
        i = j;
    }
}

// --- a long text in parts ------------------------------------------------------------------

void RichEdit1::StartLoad(std::wstring text, size_t head, CharAttributes attributes,
                          const CHARFORMAT2W& def) {
    LoadTail t;
    t.loaded = head;
    t.text = std::move(text);
    t.attributes = std::move(attributes);
    t.def = def;
    tail_ = std::move(t);
    SetTimer(hwnd_, kLoadTimer, 1, nullptr);
}

void RichEdit1::DropLoad() {
    if (!tail_) return;
    KillTimer(hwnd_, kLoadTimer);
    tail_.reset();
}

void RichEdit1::LoadMore(bool whole) const {
    if (loadingPart_) return;
    loadingPart_ = true;
    const bool cached = cacheValid_;
    LoadTail& t = *tail_;
    const size_t end =
        whole ? t.text.size() : PartEnd(t.text, t.loaded, kLaterPart, kLaterPart / 4);
    // The part goes in at the end; what the user sees and did stays as it was.
    bool modified = Modified();
    CHARRANGE selection{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    POINT scroll{};
    SendMessageW(hwnd_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    LRESULT mask = SendMessageW(hwnd_, EM_SETEVENTMASK, 0, 0);
    SendMessageW(hwnd_, EM_HIDESELECTION, TRUE, 0);
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    CHARRANGE atEnd{-1, -1};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atEnd));
    std::string rtf;
    BuildRtf(t.text, t.loaded, end, t.attributes, t.def, false, rtf);
    StreamRtf(hwnd_, rtf, SFF_SELECTION);
    SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
    t.loaded = end;
    if (t.loaded == t.text.size()) {
        KillTimer(hwnd_, kLoadTimer);
        LoadTail done = std::move(t);
        tail_.reset();
        StageMark("load the rest");
        if (ControlText() != done.text) {
            // The parts did not add up to the text: it goes in again, plainly.
            lastFillStreamed_ = false;
            FillPlain(done.text, done.attributes, done.def);
        }
        StageMark("check the whole");
    }
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(hwnd_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    SendMessageW(hwnd_, EM_HIDESELECTION, FALSE, 0);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, mask);
    SendMessageW(hwnd_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    // Lines() and the position map describe the whole text already.
    cacheValid_ = cached;
    loadingPart_ = false;
}

void RichEdit1::SetControlText(const std::wstring& text) {
    cacheValid_ = false;
    // Streaming in replaces the text and empties the undo buffer.
    StreamText(hwnd_, text, false);
    SendMessageW(hwnd_, EM_EMPTYUNDOBUFFER, 0, 0);
    cacheValid_ = false;
}

std::vector<std::string> RichEdit1::Lines() const {
    Refresh();
    return lines_;
}

int RichEdit1::LineCount() const {
    Refresh();
    return static_cast<int>(lines_.size());
}

std::string RichEdit1::Line(int index) const {
    Refresh();
    if (index < 0 || static_cast<size_t>(index) >= lines_.size()) return {};
    return lines_[static_cast<size_t>(index)];
}

void RichEdit1::SetLines(const std::vector<std::string>& lines) {
    DropLoad();
    memory_.Clear();
    memory_.RememberAll(lines);
    std::wstring text;
    size_t units = 0;
    for (const std::string& line : lines) units += line.size() + 1;
    text.reserve(units);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text.push_back(L'\r');
        text += LineToControl(lines[i]);
    }
    StageMark("convert to UTF-16");
    if (updateDepth_ > 0) {
        // Inside a batch the text goes in at its end, together with its colours.
        pending_ = PendingText{std::move(text), {}};
    } else {
        pending_.reset();
        EmptyControl();
        SetControlText(text);
        StageMark("stream into the control");
    }
    // The control holds (or will hold) exactly these lines, as the conversion is lossless, so
    // they need not be read back and converted again: for a long mail that doubled the time
    // to show it. An empty text reads back as no lines at all.
    if (lines.empty() || (lines.size() == 1 && lines[0].empty())) {
        lines_.clear();
    } else {
        lines_ = lines;
    }
    map_ = PositionMap(lines_);
    cacheValid_ = true;
    StageMark("position map");
}

void RichEdit1::AppendLine(std::string_view line) {
    FinishLoad();
    memory_.Remember(line);
    Refresh();
    bool empty = lines_.empty();
    CHARRANGE saved{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    CHARRANGE end{-1, -1};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    std::wstring text = (empty ? L"" : L"\r") + LineToControl(line);
    StreamText(hwnd_, text, true);
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    cacheValid_ = false;
}

void RichEdit1::Clear() {
    DropLoad();
    memory_.Clear();
    EmptyControl();
}

void RichEdit1::EmptyControl() {
    GETTEXTLENGTHEX gl{GTL_NUMCHARS, 1200};
    LRESULT length = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl), 0);
    if (length > kReplaceAbove && Recreate()) return;
    SetControlText(L"");
}

bool RichEdit1::Recreate() {
    // Deleting a long text takes the control seconds per hundred thousand characters (a minute
    // for a long mail, before the next mail can show), while destroying it frees the text at
    // once: a new, empty control takes the old one's place, settings and events.
    const wchar_t* cls = RichEditClass();
    HWND old = hwnd_;
    HWND parent = GetParent(old);
    if (!cls || !parent) return false;
    RECT rc{};
    GetWindowRect(old, &rc);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_EXSTYLE));
    HWND fresh = CreateWindowExW(exStyle, cls, L"", style, rc.left, rc.top, rc.right - rc.left,
                                 rc.bottom - rc.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                                 GetModuleHandleW(nullptr), nullptr);
    if (!fresh) return false;
    // In the old one's place among its siblings (the cover above it stays above it).
    HWND above = GetWindow(old, GW_HWNDPREV);
    SetWindowPos(fresh, above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const bool focused = GetFocus() == old;
    const LRESULT mask = SendMessageW(old, EM_GETEVENTMASK, 0, 0);
    CHARFORMAT2W def{};
    def.cbSize = sizeof def;
    SendMessageW(old, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&def));
    CHARFORMAT2W insertion{};
    insertion.cbSize = sizeof insertion;
    SendMessageW(old, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&insertion));

    RemoveWindowSubclass(old, &RichEdit1::SubclassProc, 1);
    hwnd_ = fresh;
    PrepareControl();
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&def));
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&insertion));
    SetWordWrap(wordWrap_);
    if (background_)
        SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ToColorRef(*background_)));
    if (imeDetached_) savedIme_ = ImmAssociateContext(hwnd_, nullptr);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, mask);
    DestroyWindow(old);
    if (focused) ::SetFocus(hwnd_);
    cacheValid_ = false;
    return true;
}

int RichEdit1::LineOffset(int index) const {
    Refresh();
    if (index <= 0 || lines_.empty()) return 0;
    if (static_cast<size_t>(index) >= lines_.size()) {
        // The text length: the last line has no line end.
        return static_cast<int>(map_.LineStartByte(lines_.size()).value) - 2;
    }
    return static_cast<int>(map_.LineStartByte(static_cast<size_t>(index)).value);
}

int RichEdit1::LineFromOffset(int offset) const {
    Refresh();
    return static_cast<int>(map_.LineOfByte(BytePos{static_cast<size_t>(std::max(offset, 0))}));
}

CHARRANGE RichEdit1::ToCharRange(int start, int length) const {
    Refresh();
    size_t s = static_cast<size_t>(std::max(start, 0));
    size_t e = s + static_cast<size_t>(std::max(length, 0));
    CHARRANGE cr{};
    cr.cpMin = static_cast<LONG>(map_.ToChar(BytePos{s}).value);
    cr.cpMax = static_cast<LONG>(map_.ToChar(BytePos{e}).value);
    return cr;
}

int RichEdit1::SelStart() const {
    Refresh();
    CHARRANGE cr{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    return static_cast<int>(map_.ToByte(CharPos{static_cast<size_t>(cr.cpMin)}).value);
}

int RichEdit1::SelLength() const {
    Refresh();
    CHARRANGE cr{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    size_t a = map_.ToByte(CharPos{static_cast<size_t>(cr.cpMin)}).value;
    size_t b = map_.ToByte(CharPos{static_cast<size_t>(std::max(cr.cpMax, cr.cpMin))}).value;
    return static_cast<int>(b - a);
}

void RichEdit1::SetSelection(int start, int length) {
    CHARRANGE cr = ToCharRange(start, length);
    if (tail_ && static_cast<size_t>(cr.cpMax) > tail_->loaded) FinishLoad();
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

std::string RichEdit1::SelText() const {
    Refresh();
    size_t start = static_cast<size_t>(SelStart());
    size_t len = static_cast<size_t>(SelLength());
    std::string joined;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) joined += "\r\n";
        joined += lines_[i];
    }
    if (start >= joined.size()) return {};
    return joined.substr(start, len);
}

void RichEdit1::ReplaceSelection(std::string_view text) {
    std::wstring w = ToControlText(text, &memory_);
    cacheValid_ = false;
    if (LooksLikeRtf(w)) {
        StreamText(hwnd_, w, true);
    } else {
        SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()));
    }
    cacheValid_ = false;
}

// --- state ---------------------------------------------------------------------------------

bool RichEdit1::ReadOnly() const {
    return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_READONLY) != 0;
}

void RichEdit1::SetReadOnly(bool readOnly) {
    SendMessageW(hwnd_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool RichEdit1::Modified() const {
    return SendMessageW(hwnd_, EM_GETMODIFY, 0, 0) != 0;
}

void RichEdit1::SetModified(bool modified) {
    SendMessageW(hwnd_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void RichEdit1::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    // Line width 0 wraps at the window's edge; 1 is the control's "no wrapping".
    SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
    ShowScrollBar(hwnd_, SB_HORZ, wrap ? FALSE : TRUE);
}

int RichEdit1::FirstVisibleLine() const {
    // The control counts wrapped rows; the viewer counts lines.
    LRESULT row = SendMessageW(hwnd_, EM_GETFIRSTVISIBLELINE, 0, 0);
    LRESULT ch = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(row), 0);
    if (ch < 0) return 0;
    Refresh();
    return static_cast<int>(map_.LineOfByte(map_.ToByte(CharPos{static_cast<size_t>(ch)})));
}

void RichEdit1::ScrollLines(int lines) {
    // Paging towards the part still to come: it must be there to be scrolled to.
    if (tail_ && lines > 0) {
        // The loaded part ends at a line end: the line of its last character is its last line.
        const size_t loadedLines = map_.LineOfByte(map_.ToByte(CharPos{tail_->loaded})) + 1;
        if (static_cast<size_t>(FirstVisibleLine()) + 2 * static_cast<size_t>(lines) + 100 >=
            loadedLines)
            FinishLoad();
    }
    SendMessageW(hwnd_, EM_LINESCROLL, 0, lines);
}

void RichEdit1::ScrollCaretIntoView() {
    SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
}

// --- formats -------------------------------------------------------------------------------

void RichEdit1::BeginUpdate() {
    FinishLoad();
    if (updateDepth_++ > 0) return;
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&updateSelection_));
    SendMessageW(hwnd_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&updateScroll_));
    updateEventMask_ = SendMessageW(hwnd_, EM_SETEVENTMASK, 0, 0);
    SendMessageW(hwnd_, EM_HIDESELECTION, TRUE, 0);
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void RichEdit1::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0) return;
    if (pending_) {
        PendingText pending = std::move(*pending_);
        pending_.reset();
        // The modified flag as the batch left it: the stream is no edit of its own.
        bool modified = Modified();
        StreamStyled(pending);
        SetModified(modified);
    }
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&updateSelection_));
    SendMessageW(hwnd_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&updateScroll_));
    SendMessageW(hwnd_, EM_HIDESELECTION, FALSE, 0);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, updateEventMask_);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void RichEdit1::FormatRange(int start, int length, CHARFORMAT2W& cf) {
    FinishLoad();
    CHARRANGE range = ToCharRange(start, length);
    if (range.cpMax <= range.cpMin) return;
    if (pending_) {
        pending_->formats.push_back({range, cf});
        return;
    }
    if (updateDepth_ > 0) {
        // Inside a batch: the selection and scroll place are put back once, at its end.
        bool modified = Modified();
        bool cached = cacheValid_;
        SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        SetModified(modified);
        cacheValid_ = cached;
        return;
    }
    CHARRANGE saved{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    POINT scroll{};
    SendMessageW(hwnd_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    // Colouring is no edit: it changes neither the modified flag nor the text read back (the
    // control may still report a change).
    bool modified = Modified();
    bool cached = cacheValid_;
    SendMessageW(hwnd_, EM_HIDESELECTION, TRUE, 0);
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    SendMessageW(hwnd_, EM_HIDESELECTION, FALSE, 0);
    SendMessageW(hwnd_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SetModified(modified);
    cacheValid_ = cached;
}

void RichEdit1::SetRangeColour(int start, int length, Colour colour) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = ToColorRef(colour);
    FormatRange(start, length, cf);
}

void RichEdit1::SetRangeUnderline(int start, int length, bool underline) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_UNDERLINE;
    cf.dwEffects = underline ? CFE_UNDERLINE : 0;
    FormatRange(start, length, cf);
}

namespace {

CHARFORMAT2W FontFormat(std::string_view fontName, int fontSize) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_CHARSET | CFM_SIZE;
    cf.bCharSet = SHIFTJIS_CHARSET;
    cf.yHeight = (fontSize > 0 ? fontSize : 10) * 20;  // twips
    if (!fontName.empty()) {
        std::wstring face = WideLossless(fontName);
        wcsncpy(cf.szFaceName, face.c_str(), LF_FACESIZE - 1);
        cf.dwMask |= CFM_FACE;
    }
    return cf;
}

}  // namespace

void RichEdit1::SetDefaultAttributes(std::string_view fontName, int fontSize, Colour colour) {
    FinishLoad();
    // Text inserted from now on may have another font than the text there is.
    if (allTextFont_ && (allTextFont_->first != fontName || allTextFont_->second != fontSize))
        allTextFont_.reset();
    CHARFORMAT2W cf = FontFormat(fontName, fontSize);
    cf.dwMask |= CFM_COLOR | CFM_UNDERLINE;
    cf.crTextColor = ToColorRef(colour);
    cf.dwEffects = 0;
    bool modified = Modified();
    bool cached = cacheValid_;
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    // The insertion point, when nothing is selected, takes the same attributes.
    CHARRANGE sel{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    if (sel.cpMin == sel.cpMax)
        SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SetModified(modified);
    cacheValid_ = cached;
}

void RichEdit1::SetFont(std::string_view fontName, int fontSize) {
    // Reformatting all text lays out the whole document again, which takes seconds for a long
    // mail under some rich edit versions: skip it when every character has this font already.
    std::pair<std::string, int> font{std::string(fontName), fontSize};
    if (allTextFont_ == font) return;
    FinishLoad();
    allTextFont_ = font;
    CHARFORMAT2W cf = FontFormat(fontName, fontSize);
    bool modified = Modified();
    bool cached = cacheValid_;
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SetModified(modified);
    cacheValid_ = cached;
}

void RichEdit1::SetBackground(Colour colour) {
    if (background_ == colour) return;
    background_ = colour;
    SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ToColorRef(colour)));
}

// --- editing -------------------------------------------------------------------------------

void RichEdit1::SelectAll() {
    FinishLoad();
    CHARRANGE all{0, -1};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

void RichEdit1::CutToClipboard() {
    SendMessageW(hwnd_, WM_CUT, 0, 0);
}

void RichEdit1::CopyToClipboard() {
    SendMessageW(hwnd_, WM_COPY, 0, 0);
}

void RichEdit1::PasteFromClipboard() {
    // Plain text only: the viewer's colours come from the viewer, not from what was copied.
    SendMessageW(hwnd_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
}

void RichEdit1::DeleteSelection() {
    SendMessageW(hwnd_, WM_CLEAR, 0, 0);
}

void RichEdit1::Undo() {
    SendMessageW(hwnd_, EM_UNDO, 0, 0);
}

int RichEdit1::HeightPixels() const {
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    return rc.bottom - rc.top;
}

void RichEdit1::SetFocus() {
    ::SetFocus(hwnd_);
}

void RichEdit1::SetImeMode(ImeMode mode) {
    if (mode == ImeMode::Disabled) {
        if (!imeDetached_) {
            savedIme_ = ImmAssociateContext(hwnd_, nullptr);
            imeDetached_ = true;
        }
        return;
    }
    if (imeDetached_) {
        ImmAssociateContext(hwnd_, savedIme_);
        imeDetached_ = false;
    }
    HIMC ctx = ImmGetContext(hwnd_);
    if (!ctx) return;
    if (mode == ImeMode::Closed) {
        ImmSetOpenStatus(ctx, FALSE);
    } else {
        ImmSetOpenStatus(ctx, TRUE);
        DWORD conversion = 0, sentence = 0;
        ImmGetConversionStatus(ctx, &conversion, &sentence);
        conversion = (conversion & ~IME_CMODE_KATAKANA) | IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
        ImmSetConversionStatus(ctx, conversion, sentence);
    }
    ImmReleaseContext(hwnd_, ctx);
}

}  // namespace kestrel::win32
