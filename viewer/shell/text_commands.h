// The main window's commands on the editor's text: Decode and Decode Zenkaku (repair of MIME and
// damaged JIS text, shown by the page browser) and Quote, Unquote and Justify. They work on the
// editor's lines through the portable decoder and reformatter, and keep the editor's modified
// flag as it was, so that repairing or reformatting alone never makes the text count as changed.
//
// Owns the commands Decode, DecodeZenkaku, Quote, PopupQuote, Unquote and Justify, and reads
// its keys (TextCommandSettingsFrom) with the first start-up stage, so that a command given
// before the first timer tick uses the settings file.
#pragma once

#include <string>
#include <vector>

#include "common/ini.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/wiring.h"
#include "viewer/text/text_command.h"

namespace kestrel {

inline constexpr std::string_view kWordWrapRefusal = "Disabled word-wrap.  Try again.";
inline constexpr std::string_view kReformatError = "Error in reformat routine";

enum class TextCommandKind { Quote, Unquote, Reformat };

class MailDisplay;

class TextCommands {
  public:
    TextCommands(const Platform& platform, const ShellWiring& wiring, TForm1& form,
                 MailDisplay& display);

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

    const TextCommandSettings& Settings() const { return settings_; }

  private:
    bool RunPass(TextCommandKind kind, std::vector<std::string>& lines, size_t start);

    Platform p_;
    TForm1& form_;
    MailDisplay& display_;
    TextCommandSettings settings_;
};

}  // namespace kestrel
