#include "common/textpos.h"

#include <algorithm>

#include "common/sjis_unicode.h"

namespace kestrel {

const std::vector<std::string> PositionMap::empty_;

namespace {
size_t CharCount(const std::string& line) {
    size_t n = 0;
    for (size_t i = 0; i < line.size(); i += CodecCharLen(line, i)) ++n;
    return n;
}
}  // namespace

PositionMap::PositionMap(const std::vector<std::string>& lines) : lines_(&lines) {
    byteStart_.assign(1, 0);
    charStart_.assign(1, 0);
    byteStart_.reserve(lines.size() + 1);
    charStart_.reserve(lines.size() + 1);
    for (const auto& l : lines) {
        byteStart_.push_back(byteStart_.back() + l.size() + 2);
        charStart_.push_back(charStart_.back() + CharCount(l) + 1);
    }
}

size_t PositionMap::LineOfByte(BytePos pos) const {
    if (lines_->empty()) return 0;
    auto it = std::upper_bound(byteStart_.begin(), byteStart_.end(), pos.value);
    size_t line = static_cast<size_t>(it - byteStart_.begin()) - 1;
    return std::min(line, lines_->size() - 1);
}

BytePos PositionMap::LineStartByte(size_t line) const {
    return BytePos{byteStart_[std::min(line, byteStart_.size() - 1)]};
}

CharPos PositionMap::LineStartChar(size_t line) const {
    return CharPos{charStart_[std::min(line, charStart_.size() - 1)]};
}

CharPos PositionMap::ToChar(BytePos pos) const {
    if (lines_->empty()) return CharPos{0};
    size_t line = LineOfByte(pos);
    const std::string& l = (*lines_)[line];
    size_t off = pos.value - byteStart_[line];
    if (line + 1 == lines_->size() && off >= l.size())  // at or past the end of the text
        return CharPos{charStart_[line] + CharCount(l)};
    size_t chars = 0;
    size_t i = 0;
    while (i < l.size()) {
        size_t len = CodecCharLen(l, i);
        if (i + len > off) break;
        i += len;
        ++chars;
    }
    // Inside the two bytes of the line end: the line end itself.
    return CharPos{charStart_[line] + chars};
}

BytePos PositionMap::ToByte(CharPos pos) const {
    if (lines_->empty()) return BytePos{0};
    auto it = std::upper_bound(charStart_.begin(), charStart_.end(), pos.value);
    size_t line = std::min(static_cast<size_t>(it - charStart_.begin()) - 1, lines_->size() - 1);
    const std::string& l = (*lines_)[line];
    size_t want = pos.value - charStart_[line];
    size_t i = 0;
    for (size_t c = 0; c < want && i < l.size(); ++c) i += CodecCharLen(l, i);
    return BytePos{byteStart_[line] + i};
}

}  // namespace kestrel
