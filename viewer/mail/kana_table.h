// The JIS X 0201 to JIS X 0208 katakana correspondence shared by the JIS decoder and the
// Shift-JIS widening before a compose file is saved. Kana bytes are JIS X 0201 codes
// 0x21..0x5F (0xA1..0xDF in Shift-JIS, less 0x80); results are JIS X 0208 codes.
#pragma once

namespace kestrel {

// Full-width form of one half-width kana, 0 outside 0x21..0x5F.
unsigned short JisWideKana(unsigned char kana);

// The voiced or semi-voiced form that kana `before` and the mark (0x5E voiced, 0x5F
// semi-voiced) make together (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ), or 0 when they do not combine.
unsigned short JisCombinedKana(unsigned char before, unsigned char mark);

}  // namespace kestrel
