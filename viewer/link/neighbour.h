// The neighbouring mails of a folder mail in number order.
#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// The nearest existing mail after (step +1) or before (step -1) path in number order: the
// same folder and extension with the number moved on by 1, 2, ... 51, wrapping from 9999 to
// 0000 and back. So gaps of up to 50 missing numbers are jumped; a gap of 51 or more ends the
// folder. "" when path is not a folder mail with a four-digit number, or none of the 51
// candidates exists. The result keeps the case of path (the viewer passes lower-cased paths);
// on a file system that tells case, files are found under their real names.
std::string NeighbourOf(std::string_view path, int step);

}  // namespace kestrel
