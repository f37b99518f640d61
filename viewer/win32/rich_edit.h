// RichEdit1: the viewer's editor, a rich edit control behind the portable TextControl. The
// control holds UTF-16 with one CR per line end; the viewer counts Shift-JIS bytes with CR LF.
// Lines are converted without loss (SjisToUtf16 / SjisLineMemory) and every offset goes
// through a PositionMap of the current text, rebuilt only after the text has changed.
#pragma once

#include <windows.h>
// After windows.h.
#include <richedit.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/sjis_unicode.h"
#include "common/textpos.h"
#include "viewer/shell/platform.h"

namespace kestrel::win32 {

// The colour and underline of every character of a text, its formats applied: colours are
// 1-based indices into table, the default's first.
struct CharAttributes {
    std::vector<COLORREF> table;
    std::vector<std::uint8_t> colour, underline;
};

class RichEdit1 : public TextControl {
  public:
    RichEdit1() = default;
    ~RichEdit1() override;
    RichEdit1(const RichEdit1&) = delete;
    RichEdit1& operator=(const RichEdit1&) = delete;

    // Creates the control as child id of parent; false when no rich edit class is available.
    bool Create(HWND parent, int id);
    HWND hwnd() const { return hwnd_; }
    // The text changed behind our back (EN_CHANGE): the next read converts it again.
    void TextChanged() { cacheValid_ = false; }
    // Whether the last batch's text and formats went in as one rich-text stream, the fast way,
    // rather than as plain text with a format call per run.
    bool LastFillStreamed() const { return lastFillStreamed_; }
    // Whether part of the last text is still to go into the control (see LoadTail).
    bool Loading() const { return tail_.has_value(); }
    // Characters of the first part of a long text, which goes in at once; the rest follows.
    static constexpr size_t kFirstPart = 16 * 1024;
    // Characters that go in at each later timer tick.
    static constexpr size_t kLaterPart = 32 * 1024;

    // Events of TRichEdit1. Delete and BackSpace while read-only raise their own events and
    // never reach the control; character input while read-only is dropped.
    std::function<void()> onMouseDown;
    std::function<void()> onBackSpaceKey;
    std::function<void()> onDeleteKey;
    // Other key-down events (key dispatch); true when handled, so the control does not see
    // the key. Empty: every key goes to the control.
    std::function<bool(int vk, unsigned modifiers)> onKeyDown;
    // Right button or the menu key: screen position of the pop-up menu.
    std::function<void(int x, int y)> onContextMenu;

    // TextControl.
    std::vector<std::string> Lines() const override;
    int LineCount() const override;
    std::string Line(int index) const override;
    void SetLines(const std::vector<std::string>& lines) override;
    void AppendLine(std::string_view line) override;
    void Clear() override;
    int LineOffset(int index) const override;
    int LineFromOffset(int offset) const override;
    int SelStart() const override;
    int SelLength() const override;
    void SetSelection(int start, int length) override;
    std::string SelText() const override;
    void ReplaceSelection(std::string_view text) override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    bool Modified() const override;
    void SetModified(bool modified) override;
    bool WordWrap() const override { return wordWrap_; }
    void SetWordWrap(bool wrap) override;
    int FirstVisibleLine() const override;
    void ScrollLines(int lines) override;
    void ScrollCaretIntoView() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void SetRangeColour(int start, int length, Colour colour) override;
    void SetRangeUnderline(int start, int length, bool underline) override;
    void SetDefaultAttributes(std::string_view fontName, int fontSize, Colour colour) override;
    void SetFont(std::string_view fontName, int fontSize) override;
    void SetBackground(Colour colour) override;
    void SelectAll() override;
    void CutToClipboard() override;
    void CopyToClipboard() override;
    void PasteFromClipboard() override;
    void DeleteSelection() override;
    void Undo() override;
    int HeightPixels() const override;
    void SetFocus() override;
    void SetImeMode(ImeMode mode) override;

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    // The settings every new control gets: no length limit, no font switching, our subclass.
    void PrepareControl();
    // Converts the control's text when it changed since the last read.
    void Refresh() const;
    std::wstring ControlText() const;
    // Applies a character format to a byte range, keeping the selection and the scroll place.
    void FormatRange(int start, int length, CHARFORMAT2W& cf);
    CHARRANGE ToCharRange(int start, int length) const;
    void SetControlText(const std::wstring& text);
    // Empties the control: a long text by a new control (Recreate), false when none could be
    // made.
    void EmptyControl();
    bool Recreate();
    static constexpr LRESULT kReplaceAbove = 32 * 1024;
    // Text set inside a BeginUpdate/EndUpdate batch, with the formats given for it since; it
    // goes into the control at the end of the batch in one stream.
    struct PendingFormat {
        CHARRANGE range;
        CHARFORMAT2W format;
    };
    struct PendingText {
        std::wstring text;
        std::vector<PendingFormat> formats;
    };
    void StreamStyled(const PendingText& pending);
    // Plain text, then a format call per run that differs from the default.
    void FillPlain(const std::wstring& text, const CharAttributes& a,
                   const CHARFORMAT2W& def) const;
    // A long mail shows at once: its first part goes into the control with the batch, the
    // rest at timer ticks (which come after painting) while the user reads. Lines(), the
    // position map and so every byte offset describe the whole text from the start; whatever
    // needs the control's own text beyond the part in it (a selection there, scrolling near
    // the end, an edit, a format, the clipboard, another program reading the text) finishes
    // the load first.
    struct LoadTail {
        std::wstring text;  // the whole text
        CharAttributes attributes;
        CHARFORMAT2W def;
        size_t loaded = 0;  // characters in the control, up to a line end
    };
    void StartLoad(std::wstring text, size_t head, CharAttributes attributes,
                   const CHARFORMAT2W& def);
    // Streams the next part (all of it when whole) at the end, leaving the selection, the
    // scroll place and the modified flag as they were.
    void LoadMore(bool whole) const;
    void FinishLoad() const {
        if (tail_) LoadMore(true);
    }
    void DropLoad();

    HWND hwnd_ = nullptr;
    HIMC savedIme_ = nullptr;
    bool imeDetached_ = false;
    bool wordWrap_ = false;
    // BeginUpdate depth, and what the outermost BeginUpdate saved for EndUpdate.
    int updateDepth_ = 0;
    CHARRANGE updateSelection_{};
    POINT updateScroll_{};
    LRESULT updateEventMask_ = 0;
    std::optional<PendingText> pending_;
    mutable bool lastFillStreamed_ = false;
    mutable std::optional<LoadTail> tail_;
    mutable bool loadingPart_ = false;
    // The font that every character and the default format have (set by SetFont, forgotten
    // when the default changes), and the background colour set last.
    std::optional<std::pair<std::string, int>> allTextFont_;
    std::optional<Colour> background_;
    SjisLineMemory memory_;
    mutable bool cacheValid_ = false;
    mutable std::vector<std::string> lines_;
    mutable PositionMap map_;
};

// COLORREF of a colour value (0x80000000 + n: system colour n).
COLORREF ToColorRef(Colour colour);

}  // namespace kestrel::win32
