// Byte offsets in the Shift-JIS text and character positions of the edit control are different
// things; this is the one place that converts between them.
//   BytePos: offset in the text as the viewer counts it - Shift-JIS bytes, a line end counts 2.
//   CharPos: position in the control - UTF-16 units, a line end counts 1 (the control's CR).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrel {

struct BytePos {
    size_t value = 0;
    friend bool operator==(BytePos a, BytePos b) { return a.value == b.value; }
    friend bool operator<(BytePos a, BytePos b) { return a.value < b.value; }
};

struct CharPos {
    size_t value = 0;
    friend bool operator==(CharPos a, CharPos b) { return a.value == b.value; }
    friend bool operator<(CharPos a, CharPos b) { return a.value < b.value; }
};

class PositionMap {
  public:
    PositionMap() = default;
    // The lines must outlive the map (it keeps a reference, not a copy).
    explicit PositionMap(const std::vector<std::string>& lines);

    // A byte offset inside a double-byte character maps to the character's start; offsets past
    // the end map to the end.
    CharPos ToChar(BytePos pos) const;
    // A position past the end maps to the end.
    BytePos ToByte(CharPos pos) const;

    size_t LineCount() const { return lines_->size(); }
    // Line holding the byte offset (a line end belongs to its line).
    size_t LineOfByte(BytePos pos) const;
    BytePos LineStartByte(size_t line) const;
    CharPos LineStartChar(size_t line) const;

  private:
    const std::vector<std::string>* lines_ = &empty_;
    std::vector<size_t> byteStart_{0};
    std::vector<size_t> charStart_{0};
    static const std::vector<std::string> empty_;
};

}  // namespace kestrel
