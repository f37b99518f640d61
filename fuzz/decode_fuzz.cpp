// DecodeMessage on arbitrary bytes split into lines, in both kana modes: it must not crash,
// read out of bounds or hang, and the linear joining of kanji-mode lines must give the same
// lines as re-running every rule over the whole joined line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/fileio.h"
#include "viewer/mail/decode.h"
#include "viewer/mail/decode_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = kestrel::SplitLines(bytes);
    for (bool kana : {false, true}) {
        kestrel::decode_detail::DecodeOptions opt;
        opt.fullWidthKana = kana;
        kestrel::DecodeResult fast = kestrel::decode_detail::DecodeMessageWith(lines, opt);
        opt.literalJoin = true;
        kestrel::DecodeResult literal = kestrel::decode_detail::DecodeMessageWith(lines, opt);
        if (fast.ok != literal.ok || fast.lines != literal.lines || fast.error != literal.error) {
            std::abort();
        }
        if (!fast.ok && fast.error.find("' is not a valid integer value") == std::string::npos) {
            std::abort();
        }
    }
    // The pieces on their own, on every line.
    for (const std::string& line : lines) {
        kestrel::DecodeBWords(line, "=?iso-2022-jp?b?");
        std::string out, error;
        kestrel::DecodeQWord(line, 0, line.size() < 11 ? line.size() : 11, out, error);
        kestrel::ToFullWidthKana(line);
        kestrel::ReplaceAll(line, "\x1b)I", "");
    }
    return 0;
}
