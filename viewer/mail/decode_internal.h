// Pieces of the decoder that tests, the fuzzer and the benchmark reach directly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "viewer/mail/decode.h"

namespace kestrel::decode_detail {

// Group A: the fixed ReplaceAll repairs (SI/SO shifts, ESC$(B, stray ESC)I and ESC-A, ...).
void RepairGroupA(std::string& line);

// Group B: ESC(Jx c ESC$B becomes ESC$B (c - 31) from the left until the first ESC(Jx that is
// not followed by ESC$B. True when it rewrote anything.
bool RepairGroupB(std::string& line);

// Group C (run only after group B applied). True when its "y(J" rule applied.
bool RepairGroupC(std::string& line);

// Group D (run only after the "y(J" rule of group C): re-inserts lost ESC$B after switches.
void RepairGroupD(std::string& line);

// What groups A and B would find to do on a line (C and D only run after B).
enum class RepairNeed { kNone, kGroupB, kGroupA };
RepairNeed RepairNeedOf(std::string_view line);

// Groups A to D once. allowB false skips group B (and so C and D). True when B applied.
bool RunRepairGroups(std::string& line, bool allowB = true);

// Group E's test: the line has an ESC and its last one is not followed by "(J" or "(B".
bool EndsInShiftedMode(std::string_view line);

// The JIS repair of one body line with group E's joining: line has been through the
// quoted-printable step; following lines are taken from body starting at next (advanced past
// every joined line). literalJoin re-runs groups A to E over the whole joined line after each
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
