// Pieces of the decoder that tests, the fuzzer and the benchmark reach directly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/mail/decode.h"

namespace kestrel::decode_detail {

// Fixed escapes: the fixed ReplaceAll repairs (SI/SO shifts, ESC$(B, stray ESC)I and ESC-A, ...).
void RepairFixedEscapes(std::string& line);

// Roman switches: ESC(Jx c ESC$B becomes ESC$B (c - 31) from the left until the first ESC(Jx that
// is not followed by ESC$B. True when it rewrote anything.
bool RepairRomanSwitches(std::string& line);

// Lost escapes (run only after the roman-switch repair applied). True when its "y(J" rule applied.
bool RepairLostEscapes(std::string& line);

// Kanji restarts (run only after the "y(J" rule of the lost-escape repair): re-inserts lost ESC$B
// after switches.
void RestoreKanjiAfterSwitches(std::string& line);

// What the fixed-escape and roman-switch repairs would find to do on a line (the other two
// only run after the roman-switch repair).
enum class RepairNeed { kNone, kRomanSwitch, kFixedEscapes };
RepairNeed RepairNeedOf(std::string_view line);

// The four repairs once. allowB false skips the roman-switch repair (and so the two that follow
// it). True when the roman-switch repair applied.
bool RunJisRepairs(std::string& line, bool allowB = true);

// The line joining's test: the line has an ESC and its last one is not followed by "(J" or "(B".
bool EndsInShiftedMode(std::string_view line);

// The JIS repair of one body line with the line joining: line has been through the
// quoted-printable step; following lines are taken from body starting at next (advanced past
// every joined line). literalJoin re-runs every repair over the whole joined line after each
// join; otherwise only the part a join can affect is re-run (same result, linear time).
void RepairJisLine(std::string& line, const std::vector<std::string_view>& body, size_t& next,
                   bool literalJoin);
void RepairJisLine(std::string& line, const std::vector<std::string>& body, size_t& next,
                   bool literalJoin);

// ToFullWidthKana in place; false (line untouched) when it has no half-width run.
bool WidenKanaInPlace(std::string& line);

struct DecodeOptions {
    bool fullWidthKana = false;
    bool literalJoin = false;
};

// Receives the output lines of a run in order.
class DecodeSink {
  public:
    virtual ~DecodeSink() = default;
    virtual void Line(std::string_view line) = 0;
    // From here on the run cannot fail any more (no quoted-printable body follows).
    virtual void CannotFail() {}
};

// The decoder over lines held elsewhere (the command line tool points them into one buffer).
// False and error set on a bad "=" escape; lines already given to the sink are then void.
bool DecodeLines(const std::vector<std::string_view>& lines, const DecodeOptions& opt,
                 DecodeSink& sink, std::string& error);

DecodeResult DecodeMessageWith(const std::vector<std::string>& lines, const DecodeOptions& opt);

// Lines of bytes as views: a line ends at CR LF or a lone LF; a last line without an end counts.
std::vector<std::string_view> SplitLineViews(std::string_view bytes);

// Base64 body: the lines taken together (blanks and line ends ignored). False when they are
// not valid base64 or hold nothing; otherwise the decoded bytes split into lines.
bool DecodeBase64Body(const std::vector<std::string_view>& lines, size_t first,
                      std::vector<std::string>& decoded);

}  // namespace kestrel::decode_detail
