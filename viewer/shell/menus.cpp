#include "viewer/shell/menus.h"

namespace kestrel {

namespace {

constexpr MenuItemDef Separator() {
    return {CommandId::None, "-", ""};
}

}  // namespace

const std::vector<MenuDef>& MainMenus() {
    static const std::vector<MenuDef> menus = {
        {CommandId::MenuFile,
         "&File",
         "\x83t\x83@\x83"
         "C\x83\x8b(&F)",
         false,
         {
             {CommandId::New, "&New", "\x90V\x8bK(&N)"},
             {CommandId::Open, "&Open ...", "\x8aJ\x82\xad(&O) ..."},
             {CommandId::Save, "&Save", "\x95\xdb\x91\xb6(&S)"},
             {CommandId::SaveAs, "Save &As ...",
              "\x96\xbc\x91O\x82\xf0\x95t\x82\xaf\x82\xc4\x95\xdb\x91\xb6(&A) ..."},
             Separator(),
             {CommandId::PrintFont, "Print &Font ...",
              "\x88\xf3\x8d\xfc\x83t\x83H\x83\x93\x83g(&F) ..."},
             {CommandId::Print, "&Print", "\x88\xf3\x8d\xfc(&P)"},
             Separator(),
             {CommandId::DeleteTempFiles, "&Delete temp files",
              "\x88\xea\x8e\x9e\x83t\x83@\x83"
              "C\x83\x8b\x8d\xed\x8f\x9c(&D)"},
             {CommandId::SaveAndQuit, "Save and &Quit",
              "\x95\xdb\x91\xb6\x8fI\x97\xb9(\x91\x97\x90M)(&Q)"},
             {CommandId::Exit, "E&xit", "\x8fI\x97\xb9(&X)"},
         }},
        {CommandId::MenuMail,
         "&Mail",
         "\x83\x81\x81[\x83\x8b(&M)",
         false,
         {
             {CommandId::OpenMail, "&Open mail ",
              "\x83\x81\x81[\x83\x8b\x82\xf0\x8aJ\x82\xad(&O) ..."},
             {CommandId::NextMail, "&Next mail", "\x8e\x9f\x82\xcc\x83\x81\x81[\x83\x8b(&N)"},
             {CommandId::PrevMail, "&Previous mail", "\x91O\x82\xcc\x83\x81\x81[\x83\x8b(&P)"},
             Separator(),
             {CommandId::NextNew, "Ne&xt new", "\x8e\x9f\x82\xcc\x96\xa2\x93\xc7(&X)"},
             {CommandId::PrevNew, "Pre&vious new", "\x91O\x82\xcc\x96\xa2\x93\xc7(&V)"},
             Separator(),
             {CommandId::DeleteMail, "&Delete mail ", "\x83\x81\x81[\x83\x8b\x8d\xed\x8f\x9c(&D)"},
             Separator(),
             {CommandId::Reply, "&Reply", "\x95\xd4\x90M(&R)"},
             {CommandId::ReplyAll, "Reply &All", "\x91S\x88\xf5\x82\xc9\x95\xd4\x90M(&A)"},
             {CommandId::ReplyLater, "Reply &Later ", "\x95\xd4\x90M\x83}\x81[\x83N(&L)"},
             {CommandId::Forward, "&Forward", "\x93]\x91\x97(&F)"},
             Separator(),
             {CommandId::TemporaryFile, "&Temporary file",
              "\x88\xea\x8e\x9e\x83t\x83@\x83"
              "C\x83\x8b\x8c\x9f\x8d\xf5(&T)"},
             {CommandId::Decode, "De&code",
              "\x83"
              "f\x83R\x81[\x83h(&D)"},
             {CommandId::DecodeZenkaku, "Decode &Zenkaku",
              "\x91S\x8ap\x95\xcf\x8a\xb7\x83"
              "f\x83R\x81[\x83h(&Z)"},
             {CommandId::Focus, "Foc&us", "\x83t\x83H\x81[\x83J\x83X(&U)"},
         }},
        {CommandId::MenuReplyStatus, "&Reply", "\x95\xd4\x90M\x83\x82\x81[\x83h(&R)", false, {}},
        {CommandId::MenuScramble,
         "&Scramble",
         "\x83X\x83N\x83\x89\x83\x93\x83u\x83\x8b(&S)",
         true,
         {
             {CommandId::Scramble, "&Scramble", "\x83X\x83N\x83\x89\x83\x93\x83u\x83\x8b(&S)"},
             {CommandId::Unscramble, "&Unscramble",
              "\x83X\x83N\x83\x89\x83\x93\x83u\x83\x8b\x95\x9c\x8c\xb3(&U)"},
             {CommandId::ScrambleFolder, "Scramble &Folder",
              "\x83t\x83H\x83\x8b\x83_\x81[\x82\xf0\x83X\x83N\x83\x89\x83\x93\x83u\x83\x8b(&F)"},
             {CommandId::UnscrambleFolder, "U&nscramble Folder",
              "\x83t\x83H\x83\x8b\x83_\x81[\x82\xf0\x95\x9c\x8c\xb3(&N)"},
             {CommandId::ErasePin, "&Erase PIN",
              "\x88\xc3\x8f\xd8\x94\xd4\x8d\x86\x82\xf0\x8f\xc1\x8b\x8e(&E)"},
         }},
        {CommandId::MenuCommand, "&Command", "\x83R\x83}\x83\x93\x83h(&C)", false, {}},
        {CommandId::MenuEdit,
         "&Edit",
         "\x95\xd2\x8fW(&E)",
         false,
         {
             {CommandId::Cut, "Cu&t",
              "\x83J\x83"
              "b\x83g(&T)"},
             {CommandId::Copy, "&Copy", "\x83R\x83s\x81[(&C)"},
             {CommandId::Paste, "&Paste", "\x93\\\x82\xe8\x95t\x82\xaf(&P)"},
             {CommandId::Delete, "&Delete", "\x8d\xed\x8f\x9c(&D)"},
             Separator(),
             {CommandId::SelectAll, "Select &All", "\x82\xb7\x82\xd7\x82\xc4\x91I\x91\xf0(&A)"},
             {CommandId::Quote, "&Quote", "\x88\xf8\x97p\x95\x84\x8d\x86(&Q)"},
             {CommandId::Unquote, "&Unquote", "\x95\x84\x8d\x86\x8d\xed\x8f\x9c(&U)"},
             {CommandId::Justify, "&Justify", "\x90\xae\x8c`(&J)"},
             Separator(),
             {CommandId::Find, "&Find ...", "\x8c\x9f\x8d\xf5(&F) ..."},
             {CommandId::FindNext, "Find &Next", "\x8e\x9f\x82\xf0\x8c\x9f\x8d\xf5(&N)"},
             {CommandId::Replace, "&Replace ...", "\x92u\x8a\xb7(&R) ..."},
             Separator(),
             {CommandId::ImeMode, "&Ime Mode", "\x82\xa9\x82\xc8\x8a\xbf\x83\x82\x81[\x83h(&I)"},
             {CommandId::SpellCheck, "&Spell check", ""},
         }},
        {CommandId::MenuInsert, "&Insert", "\x91}\x93\xfc(&I)", false, {}},
        {CommandId::MenuView,
         "&View",
         "\x95\\\x8e\xa6(&V)",
         false,
         {
             {CommandId::Header, "&Header",
              "\x83w\x83"
              "b\x83_\x81[(&H)"},
             {CommandId::ViewerMode, "&Viewer mode",
              "\x93\xc7\x82\xdd\x8fo\x82\xb5\x90\xea\x97p(&V)"},
             {CommandId::ScrambleMode, "&Scramble mode",
              "\x83X\x83N\x83\x89\x83\x93\x83u\x83\x8b\x83\x82\x81[\x83h(&S)"},
             {CommandId::WordWrap, "&Word wrap",
              "\x89"
              "E\x92[\x82\xc5\x90\xdc\x82\xe8\x95\xd4\x82\xb7(&W)"},
             {CommandId::TextToSpeech, "&TextToSpeech", "\x93\xc7\x82\xdd\x8f\xe3\x82\xb0(&T)"},
             {CommandId::Option, "&Option", "\x83I\x83v\x83V\x83\x87\x83\x93(&O)"},
             {CommandId::IniFile, "&Ini file",
              "Ini\x83t\x83@\x83"
              "C\x83\x8b(&I)"},
             {CommandId::KeyNumber, "&Key number", "\x83L\x81[\x94\xd4\x8d\x86(&K)"},
             Separator(),
             {CommandId::FinchpostSearch, "&Finchpost search",
              "\x83t\x83"
              "B\x83\x93\x83`\x83|\x83X\x83g\x8f\x87(&P)"},
             {CommandId::PloverSearch, "&Plover search",
              "\x83v\x83\x89\x83o\x81[\x83\\\x81[\x83g\x8f\x87(&D)"},
             {CommandId::NumberSearch, "&Number search", "\x94\xd4\x8d\x86\x8f\x87(&N)"},
         }},
        {CommandId::MenuLink,
         "&Link",
         "\x83\x8a\x83\x93\x83N(&L)",
         false,
         {
             {CommandId::WebBrowser, "&Web browser",
              "\x83"
              "E\x83"
              "F\x83u\x83y\x81[\x83W(&W)"},
             {CommandId::MailTo, "&Mail to",
              "\x91I\x91\xf0\x82\xb5\x82\xbd\x83"
              "A\x83h\x83\x8c\x83X\x82\xc9\x83\x81\x81[\x83\x8b(&M)"},
             {CommandId::AddressBook, "&Address book", "\x8fZ\x8f\x8a\x98^(&A)"},
             {CommandId::HtmlMail, "&HTML mail", "HTML\x83\x81\x81[\x83\x8b\x95\\\x8e\xa6(&H)"},
         }},
        {CommandId::MenuAw,
         "&AW",
         "",
         false,
         {
             {CommandId::MoveMails, "&Move mails", "\x83\x81\x81[\x83\x8b\x88\xda\x93\xae(&M)"},
             {CommandId::AttachFile, "&Attach File",
              "\x83t\x83@\x83"
              "C\x83\x8b\x93Y\x95t(&A)"},
         }},
        {CommandId::MenuHelp,
         "&Help",
         "\x83w\x83\x8b\x83v(&H)",
         false,
         {
             {CommandId::Contents, "&Contents",
              "\x83w\x83\x8b\x83v\x83t\x83@\x83"
              "C\x83\x8b(&C)"},
             {CommandId::About, "&About", "\x83o\x81[\x83W\x83\x87\x83\x93\x95\\\x8e\xa6(&A)"},
             Separator(),
             {CommandId::MailToAuthor, "&Mail to Author",
              "\x8d\xec\x8e\xd2\x82\xc9\x83\x81\x81[\x83\x8b(&M)"},
             {CommandId::Webpage, "Kestrel &Webpage",
              "\x8d\xec\x8e\xd2\x82\xcc\x83z\x81[\x83\x80\x83y\x81[\x83W(&W)"},
         }},
    };
    return menus;
}

const std::vector<MenuItemDef>& PopupMenuItems() {
    static const std::vector<MenuItemDef> items = {
        {CommandId::PopupCut, "Cut",
         "\x83J\x83"
         "b\x83g"},
        {CommandId::PopupCopy, "Copy", "\x83R\x83s\x81["},
        {CommandId::PopupPaste, "Paste", "\x93\\\x82\xe8\x95t\x82\xaf"},
        {CommandId::PopupDelete, "Delete", "\x8d\xed\x8f\x9c"},
        {CommandId::PopupSelectAll, "Select All", "\x82\xb7\x82\xd7\x82\xc4\x91I\x91\xf0"},
        {CommandId::PopupQuote, "Add quote mark", "\x88\xf8\x97p\x95\x84\x8d\x86"},
        Separator(),
        {CommandId::PopupUndo, "Undo", "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7"},
        {CommandId::PopupWebBrowser, "Web browser",
         "\x83"
         "E\x83"
         "F\x83u\x83y\x81[\x83W"},
        {CommandId::PopupWordWrap, "Word wrap",
         "\x89"
         "E\x92[\x82\xc5\x90\xdc\x82\xe8\x95\xd4\x82\xb7"},
    };
    return items;
}

const std::vector<ToolButtonDef>& ToolButtons() {
    static const std::vector<ToolButtonDef> buttons = {
        {2, "Save and quit", CommandId::SaveAndQuit},
        {27, "Save", CommandId::Save},
        {52, "Print", CommandId::Print},
        {85, "Header", CommandId::Header},
        {110, "Reply to Sender", CommandId::Reply},
        {135, " Reply to All", CommandId::ReplyAll},
        {160, "Reply later", CommandId::ReplyLater},
        {185, "Forward", CommandId::Forward},
        {210, "Delete", CommandId::DeleteMail},
        {245, "Previous mail", CommandId::PrevMail},
        {270, "Next mail", CommandId::NextMail},
        {295, "PageUp", CommandId::PageUp},
        {320, "PageDown", CommandId::PageDown},
        {345, "Previous new mail", CommandId::PrevNew},
        {370, "Next new mail", CommandId::NextNew},
        {405, "Cut", CommandId::Cut},
        {430, "Copy", CommandId::Copy},
        {455, "Paste", CommandId::Paste},
        {480, "Find next", CommandId::FindNext},
        {515, "Web browser", CommandId::WebBrowser},
        {540, "Mail to", CommandId::MailTo},
        {565, "Address book", CommandId::AddressBook},
    };
    return buttons;
}

std::string_view MenuCaption(CommandId id, bool japanese) {
    auto pick = [japanese](std::string_view en, std::string_view jp) {
        return japanese && !jp.empty() ? jp : en;
    };
    for (const MenuDef& menu : MainMenus()) {
        if (menu.id == id) return pick(menu.english, menu.japanese);
        for (const MenuItemDef& item : menu.items) {
            if (item.id == id) return pick(item.english, item.japanese);
        }
    }
    for (const MenuItemDef& item : PopupMenuItems()) {
        if (item.id == id) return pick(item.english, item.japanese);
    }
    return {};
}

}  // namespace kestrel
