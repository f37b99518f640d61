// The settings the main window works with, read in the two start-up stages.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/ini.h"
#include "viewer/mail/mail_open.h"
#include "viewer/text/reformat.h"

namespace kestrel {

struct FontSetting {
    std::string name;
    int size = 14;
};

// Read by ReadStartSettings, before the first mail is shown.
struct StartSettings {
    // [View]
    bool wordWrap = false;
    bool replyConfirm = false;
    int ruler = 0;
    int imeControl = 1;
    bool englishMenu = false;
    bool hideButton = false;
    FontSetting editorFont, viewerFont;
    int nextMailMode = 0;
    uint32_t quoteFontColor = 0, urlFontColor = 0, viewerColor = 0, editorColor = 0;
    uint32_t viewerFontColor = 0, editorFontColor = 0;
    int timer = 400;
    bool text2Speech = false;
    bool debugMode = false;
    bool debugPloverDde = false;
    // [Scramble]
    int subjectLength = 6;
    std::string autoScramble;
    int pin = 0;
    // [Window]
    int left = 49, top = 52, width = 611, height = 342, editWidth = 400;
    // [Location]
    std::string pgbrowExe, finchpostExe;
    // [View] Header, ShowTo, MaxTo, HeaderList, TabToSpace, MaxLines, AutoReformat and [Alert]:
    // what the mail reader works with.
    MailViewSettings mailView;
};

struct MenuSetting {
    std::string caption, text;  // used only when both are set
    int32_t key = 0;
};

// Read by ReadDeferredSettings on the first timer tick.
struct DeferredSettings {
    // [View]
    // MaxLength, DeleteTab, QuoteChar, EndChar..., AvoidBeginChar, AvoidEndChar.
    ReformatSettings reformat;
    bool newBrowser = false;
    bool alertDialog = true;
    int scrollPercent = 100;
    bool nextMailAtEnd = true;
    std::string quote = "> ";  // the quote mark ([View] Quote)
    // [Location]
    std::string trashCan, saveAsDir;
    // [AW]
    bool aw = false;
    bool autoMove = false;  // false unless AW is on
    std::string attachString, receive, in, netMtg, out, sent, mtgString, attachDir;
    // [SpellCheck]
    bool spellChecker = false;
    // [Printer]
    std::string printerFontName;
    int printerFontSize = 10;
    int leftSpace = 10;
    // [ReplyStatus], [Command], [Insert]
    std::array<std::string, 5> replyStatus;
    std::array<MenuSetting, 5> commands, inserts;
};

StartSettings ReadStartSettingsFrom(const IniFile& ini);
DeferredSettings ReadDeferredSettingsFrom(const IniFile& ini);

}  // namespace kestrel
