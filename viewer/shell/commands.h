// Command ids of the main window: every menu-bar menu, menu entry, pop-up entry and tool-bar
// command. The Windows layer maps its menu items and buttons to these ids and hands clicks to
// TForm1::Execute.
#pragma once

namespace kestrel {

enum class CommandId : int {
    None = 0,
    // Menu-bar menus.
    MenuFile,
    MenuMail,
    MenuReplyStatus,
    MenuScramble,
    MenuCommand,
    MenuEdit,
    MenuInsert,
    MenuView,
    MenuLink,
    MenuAw,
    MenuHelp,
    // File.
    New,
    Open,
    Save,
    SaveAs,
    PrintFont,
    Print,
    DeleteTempFiles,
    SaveAndQuit,
    Exit,
    // Mail.
    OpenMail,
    NextMail,
    PrevMail,
    NextNew,
    PrevNew,
    DeleteMail,
    Reply,
    ReplyAll,
    ReplyLater,
    Forward,
    TemporaryFile,
    Decode,
    DecodeZenkaku,
    Focus,
    // Reply-status menu, built from [ReplyStatus].
    ReplyStatus1,
    ReplyStatus2,
    ReplyStatus3,
    ReplyStatus4,
    ReplyStatus5,
    // Scramble.
    Scramble,
    Unscramble,
    ScrambleFolder,
    UnscrambleFolder,
    ErasePin,
    // Command menu, built from [Command].
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    // Edit.
    Cut,
    Copy,
    Paste,
    Delete,
    SelectAll,
    Quote,
    Unquote,
    Justify,
    Find,
    FindNext,
    Replace,
    ImeMode,
    SpellCheck,
    // Insert menu, built from [Insert].
    Insert1,
    Insert2,
    Insert3,
    Insert4,
    Insert5,
    // View.
    Header,
    ViewerMode,
    ScrambleMode,
    WordWrap,
    TextToSpeech,
    Option,
    IniFile,
    KeyNumber,
    FinchpostSearch,
    PloverSearch,
    NumberSearch,
    // Link.
    WebBrowser,
    MailTo,
    AddressBook,
    HtmlMail,
    // AW.
    MoveMails,
    AttachFile,
    // Help.
    Contents,
    About,
    MailToAuthor,
    Webpage,
    // Pop-up menu of the editor.
    PopupCut,
    PopupCopy,
    PopupPaste,
    PopupDelete,
    PopupSelectAll,
    PopupQuote,
    PopupUndo,
    PopupWebBrowser,
    PopupWordWrap,
    // Tool-bar commands without a menu entry.
    PageUp,
    PageDown,
    // Key actions without a menu entry or button.
    PageDownNextKey,
    PageUpPrevKey,
    PageDownKey,
    PageUpKey,
    LineDown,
    LineUp,
    Count
};

}  // namespace kestrel
