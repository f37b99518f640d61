// The main window's commands on the editor's text: Decode and Decode Zenkaku (repair of MIME and
// damaged JIS text, shown by the page browser) and Quote, Unquote and Justify. They work on the
// editor's lines through the portable decoder and reformatter, and keep the editor's modified
// flag as it was, so that repairing or reformatting alone never makes the text count as changed.
//
// Plugged into TForm1 through its `command` hook (Handle). The reformat settings and the quote
// mark are the window's deferred settings (the viewer's defaults until that stage has run).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/text/reformat.h"

namespace kestrel {

inline constexpr std::string_view kWordWrapRefusal = "Disabled word-wrap.  Try again.";
inline constexpr std::string_view kReformatError = "Error in reformat routine";

enum class TextCommandKind { Quote, Unquote, Reformat };

class TextCommands {
  public:
    TextCommands(TForm1& form, const Platform& platform);

    // Runs the command id when it is one of these: Decode, DecodeZenkaku, Quote, PopupQuote,
    // Unquote, Justify. True when it was.
    bool Handle(CommandId id);
    // The [View] keys of quoting and reformatting (MaxLength, DeleteTab, QuoteChar, Quote,
    // EndCharZenkaku, EndCharHAnkaku, AvoidBeginChar, AvoidEndChar).

    void Decode1Click();
    // Nothing while text is selected.
    void DecodeZenkaku1Click();
    void Quote1Click();
    void Unquote1Click();
    void Justify1Click();

    // Repairs the editor's text, writes it to "_plvview.jis" beside the program and starts the
    // page browser on that file. On a bad escape the message is shown and nothing changes.
    void DecodeMessage(bool fullWidthKana);
    // The common driver of Quote, Unquote and Justify.
    void RunTextCommand(TextCommandKind kind);


    // Puts a whole reformatted text on screen with the mail display's fonts and colours.
    // Empty: the lines go into the editor as plain text.
    std::function<void(const std::vector<std::string>& lines)> showMailLines;

  private:
    bool RunPass(TextCommandKind kind, std::vector<std::string>& lines, size_t start);

    TForm1& form_;
    Platform p_;
};

}  // namespace kestrel
