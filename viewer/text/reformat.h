// Rewrapping text to a byte width with Japanese line-breaking rules: closing punctuation is
// kept at the end of a line, opening brackets move on to the next one, and lines broken by the
// sender are joined into paragraphs first. Widths and positions are bytes of Shift-JIS text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Puts one space after every double-byte character of a character list, so that a two-byte
// search in the list never matches across two characters (applied to AvoidBeginChar and
// AvoidEndChar when they are loaded).
std::string SpaceAfterDoubleByte(std::string_view list);

// The [View] settings of the reformat pass. The defaults are the viewer's own.
struct ReformatSettings {
    ReformatSettings();
    // Line width in bytes ([View] MaxLength). Any width from 1 up works; below 1 the pass
    // refuses to run.
    int32_t maxLength = 64;
    // Run the tab-removal and short-line pre-pass ([View] DeleteTab).
    bool deleteTab = true;
    // Single-byte characters that make up a quote prefix ([View] QuoteChar).
    std::string quoteChar;
    // Double-byte sentence ends ([View] EndCharZenkaku) and single-byte ones (EndCharHAnkaku).
    std::string endCharZenkaku;
    std::string endCharHankaku;
    // Characters that may not begin / end a line ([View] AvoidBeginChar, AvoidEndChar), as
    // rewritten by SpaceAfterDoubleByte. Only their double-byte characters take effect.
    std::string avoidBeginChar;
    std::string avoidEndChar;
};

class IniFile;
// The reformat settings as the viewer reads them from its settings file.
ReformatSettings ReformatSettingsFrom(const IniFile& ini);

// Class of byte index i (0-based) of line: 0 beyond the end; 1 for a byte below 0x7F or from
// 0xA1 to 0xDF (ASCII, half-width katakana); 2 otherwise (starts a double-byte character).
int ByteClass(std::string_view line, size_t i);

// Whether line ends a sentence: trailing spaces and full-width spaces are ignored (the line
// keeps at least its first byte, and at least 2 bytes while full-width spaces go), then the last
// character is a double-byte entry of endCharZenkaku or a single-byte one of endCharHankaku.
bool EndsSentence(std::string_view line, const ReformatSettings& settings);

// Where to break line for the given width: returns the number of bytes that stay on the first
// output line (at most line.size(); 0 only when line is empty). When line is at most width + 10
// bytes long, the first width + 10 bytes of rest (cut on a character boundary) are first moved
// onto its end. Latin text breaks after the last space from width - 38 on, a longer word is cut
// at the width; closing punctuation stays on the line up to 6 bytes past the width, and up to
// 6 opening brackets before the break go on to the next line. A width of 0 counts as 1.
size_t FindBreak(std::string& line, std::string_view& rest, size_t width,
                 const ReformatSettings& settings);

// The pre-pass from index start on: deletes every tab, and joins a line whose width (tabs
// counted as 8) is 70 to 78 bytes with a following line of 1 to 39 bytes, stripping the
// following line's leading '>', space and tab bytes. A following line made of those bytes
// alone (a quoted paragraph break such as ">") is kept as it is.
void DeleteTabPass(std::vector<std::string>& lines, size_t start);

// Reformats lines[start..] in place to settings.maxLength bytes. Lines before start are not
// touched. Called by the Justify command (start 0 for a selection; one past the header
// separator for a whole body, see JustifyStartIndex) and by the mail reader on a freshly read
// mail (start = first body line).
//
// Paragraphs are joined line by line, with the next line's quote prefix removed and a space
// put before joined single-byte text, and rebroken; a line is not joined with the next one when
// it ends a sentence, the two quote prefixes differ, it is a quoted reply header ("From:",
// "To:", ... near its start), the next line starts a numbered item, its prefix holds six spaces
// in a row, or (start > 0 only) it is a short line ending in Latin text. Empty lines are never
// joined. Continuation lines carry the quote prefix. Every byte of the input is kept (apart
// from tabs and the quote prefixes of joined lines, and over-long quote prefixes shortened to
// fit the width), and every output line holds at least one character after its prefix, so the
// pass ends for any width and any prefix length. Time and memory are linear in the input.
//
// Returns false, with lines unchanged, when settings.maxLength is below 1.
bool ReformatLines(std::vector<std::string>& lines, size_t start, const ReformatSettings& settings);

// The reformat pass with its settings prepared once, for callers that feed a long text in
// pieces. No line is ever joined across an empty line, so a text cut into pieces before each
// empty line (the empty lines passed through unchanged) comes out exactly as the whole text
// would from ReformatLines, given wholeBody = (the whole text's start index > 0).
class ReformatPass {
  public:
    explicit ReformatPass(const ReformatSettings& settings);
    ~ReformatPass();
    ReformatPass(const ReformatPass&) = delete;
    ReformatPass& operator=(const ReformatPass&) = delete;

    // False when the settings cannot be used (maxLength below 1); Run then changes nothing.
    bool Usable() const;
    // As ReformatLines, except that the short Latin line rule follows wholeBody instead of
    // start > 0. Runs reuse buffers of this object: one object serves one thread at a time.
    void Run(std::vector<std::string>& lines, size_t start, bool wholeBody) const;

    struct Rules;    // the settings as lookup tables (internal)
    struct Scratch;  // buffers reused across runs (internal)

  private:
    std::unique_ptr<Rules> rules_;
    std::unique_ptr<Scratch> scratch_;
    bool deleteTab_;
    bool usable_;
};

}  // namespace kestrel
