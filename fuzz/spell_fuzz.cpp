// The spell check's parsers on arbitrary bytes: a .wtr dictionary file (then the speller over
// whatever list it gave, with the first line as the word), and the word scanner over a line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "spelldic/speller.h"
#include "spelldic/word_list.h"
#include "viewer/spell/word_scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    kestrel::spelldic::WordList list;
    if (list.Parse(bytes)) {
        // What parses must write back byte for byte.
        if (list.Serialize() != bytes) __builtin_trap();
    }
    kestrel::spelldic::Speller speller;
    speller.SetUser(kestrel::spelldic::WordList::FromWords({"the", "receive", "Tuesday"}));
    speller.SetBasic(std::move(list));
    std::string_view word = bytes.substr(0, std::min<size_t>(bytes.find('\n'), 64));
    speller.Knows(word);
    speller.Suggest(word, 10);

    const kestrel::CharClasses classes("!?,.:;\"-()", "01234567890#$%&*+<=>@`[\\]^_{|}~");
    for (bool ignoreNumeric : {false, true}) {
        kestrel::ScanCursor cursor;
        int guard = 0;
        for (;;) {
            int before = cursor.position;
            kestrel::ScannedWord w = kestrel::ScanNext(bytes, cursor, classes, ignoreNumeric);
            if (w.step == kestrel::ScanStep::LineEnd) break;
            // Every step moves on, and a word lies inside the line.
            if (cursor.position <= before || ++guard > int(size) + 2) __builtin_trap();
            if (w.step == kestrel::ScanStep::Word &&
                (w.start < 1 || size_t(w.start - 1) + w.text.size() > size)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
