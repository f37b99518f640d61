// The HTML part of a mail, taken out of the mail file so that the web browser can show it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The file beside the program that the HTML mail command writes and the browser shows.
inline constexpr std::string_view kHtmlViewFileName = "_plvview.htm";

// The lines of the first HTML part of a mail's lines: from a line beginning "<html>" (any case),
// or from the first body line of a "content-type: text/html;" part (preceded by "<html>" when
// that line holds no "<html>"), up to and including the first line beginning "</html>", or to
// the end. Empty when the mail has no HTML part.
std::vector<std::string> ExtractHtmlPart(const std::vector<std::string>& lines);

}  // namespace kestrel
