// Repair of raw Internet messages: MIME encoded words in the header, quoted-printable and
// base64 bodies, and ISO-2022-JP (JIS) text whose escape sequences were damaged on the way.
// The decoder never converts between JIS and Shift-JIS: encoded words yield their raw bytes and
// JIS text keeps its escapes, which are only repaired. Lines are byte strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct DecodeResult {
    bool ok = true;
    // The mail in the mail client's form: "X-Status: READ", the header, "--------", the body.
    std::vector<std::string> lines;
    // When !ok: "'$xx' is not a valid integer value" (a bad "=" escape); lines is then empty.
    std::string error;
};

// The whole Decode / Decode Zenkaku command on the editor's lines. fullWidthKana widens
// half-width katakana runs (ESC(I) into JIS X 0208 katakana.
DecodeResult DecodeMessage(const std::vector<std::string>& lines, bool fullWidthKana);

// Decodes every base64 encoded word of line that starts with prefix (matched without regard to
// ASCII case, e.g. "=?iso-2022-jp?b?"). A line whose last word is bad comes back unchanged.
std::string DecodeBWords(std::string_view line, std::string_view prefix);

// Decodes the "Q" encoded word whose prefix starts at the 0-based byte index `at` and is
// prefixLength bytes long. False (and error set) on an "=" without two hexadecimal digits.
bool DecodeQWord(std::string_view line, size_t at, size_t prefixLength, std::string& result,
                 std::string& error);

// Replaces occurrences of find by repl until none is left, always taking the leftmost one of
// the text as it stands after the previous replacement (so a replacement can form a new match
// with the bytes around it). An empty repl deletes. Linear in the line's length.
std::string ReplaceAll(std::string_view line, std::string_view find, std::string_view repl);

// Widens every half-width katakana run (ESC(I ... up to the next ESC or the end) into ESC$B
// and JIS X 0208 katakana, combining voiced and semi-voiced marks with the kana before them.
std::string ToFullWidthKana(std::string_view line);

// The file beside the viewer program that receives the decoded mail for the page browser.
inline constexpr const char kDecodeViewFileName[] = "_plvview.jis";

// The bytes that file receives: every line followed by CR LF.
std::string DecodeViewFileText(const std::vector<std::string>& lines);

}  // namespace kestrel
