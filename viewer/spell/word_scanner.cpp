#include "viewer/spell/word_scanner.h"

#include "common/sjis.h"

namespace kestrel {

namespace {

bool IsWordStart(CharClass c) {
    return c == CharClass::Letter || c == CharClass::Apostrophe;
}

// Bytes a URL, a hyphenated stretch or a word running into digits is made of.
bool IsStretchByte(CharClass c) {
    return c == CharClass::Letter || c == CharClass::Hyphen || c == CharClass::Slash ||
           c == CharClass::Punctuation || c == CharClass::Numeric;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace

CharClasses::CharClasses(std::string_view alpha, std::string_view numeric) {
    table_.fill(CharClass::Other);
    // Later assignments lose to earlier classes: fill from the weakest class upwards. Only
    // one-byte characters of the settings count; a double-byte character's trail byte is not
    // one of them.
    auto mark = [this](std::string_view chars, CharClass cls) {
        for (size_t i = 0; i < chars.size(); i += CharLenAt(chars, i)) {
            if (CharLenAt(chars, i) == 1) table_[static_cast<unsigned char>(chars[i])] = cls;
        }
    };
    mark(alpha, CharClass::Punctuation);
    mark(numeric, CharClass::Numeric);
    table_['\''] = CharClass::Apostrophe;
    table_['/'] = CharClass::Slash;
    table_['-'] = CharClass::Hyphen;
    for (int b = 0x80; b <= 0x9F; ++b) table_[b] = CharClass::DoubleByte;
    for (int b = 0xE0; b <= 0xFF; ++b) table_[b] = CharClass::DoubleByte;
    table_[' '] = CharClass::Space;
    for (int b = 'A'; b <= 'Z'; ++b) table_[b] = CharClass::Letter;
    for (int b = 'a'; b <= 'z'; ++b) table_[b] = CharClass::Letter;
}

ScannedWord ScanNext(std::string_view line, ScanCursor& cursor, const CharClasses& classes,
                     bool ignoreNumeric) {
    // Two blanks end every word and keep the two-byte steps inside the string.
    std::string s(line);
    s += "  ";
    const size_t end = line.size();
    size_t i = cursor.position > 0 ? size_t(cursor.position - 1) : 0;
    ScannedWord result;
    if (i >= end) {
        cursor.position = int(end) + 1;
        return result;
    }

    // To the start of a word. A digit right at the position counts like one stepped onto, so a
    // line that begins with "3rd" is treated like one where it follows a blank.
    CharClass cls = classes.Of(s[i]);
    bool digitSeen = cls == CharClass::Numeric;
    while ((!IsWordStart(cls) || (digitSeen && ignoreNumeric)) && i < end) {
        unsigned char left = static_cast<unsigned char>(s[i]);
        i += classes.Of(left) == CharClass::DoubleByte ? 2 : 1;
        if (left != ' ') cursor.crossedNonBlank = true;
        cls = classes.Of(s[i]);
        if (cls == CharClass::Numeric) {
            digitSeen = true;
        } else if (cls == CharClass::Other || cls == CharClass::DoubleByte) {
            digitSeen = false;
        }
    }
    if (i >= end) {
        cursor.position = int(end) + 1;
        return result;
    }

    // The word: its first byte, then letters only (an apostrophe inside ends it).
    size_t start = i;
    size_t j = i + 1;
    while (classes.Of(s[j]) == CharClass::Letter) ++j;
    std::string word = s.substr(start, j - start);
    CharClass stop = classes.Of(s[j]);

    if (stop == CharClass::Numeric && ignoreNumeric) {
        while (IsStretchByte(classes.Of(s[j])) || classes.Of(s[j]) == CharClass::Apostrophe) ++j;
        cursor.position = int(j) + 1;
        cursor.crossedNonBlank = true;  // a dropped word still stands between two words
        result.step = ScanStep::Dropped;
        return result;
    }

    std::string lower = LowerSjis(word);
    if (StartsWith(lower, "http") || StartsWith(lower, "ftp") || stop == CharClass::Hyphen) {
        size_t k = j;
        bool met = false;
        while (IsStretchByte(classes.Of(s[k]))) {
            CharClass c = classes.Of(s[k]);
            if (c == CharClass::Slash || c == CharClass::Punctuation || c == CharClass::Numeric) {
                met = true;
            }
            ++k;
        }
        // A plain hyphenated word (one-way) is looked up part by part; anything with a slash,
        // punctuation or digit in it is an address or a code and is passed over whole.
        if (!(stop == CharClass::Hyphen && !met)) {
            cursor.position = int(k) + 1;
            cursor.crossedNonBlank = true;
            result.step = ScanStep::Dropped;
            return result;
        }
    }

    result.step = ScanStep::Word;
    result.start = int(start) + 1;
    result.text = std::move(word);
    result.blanksOnlyBefore = !cursor.crossedNonBlank;
    cursor.crossedNonBlank = false;
    cursor.position = int(j) + 1;
    return result;
}

}  // namespace kestrel
