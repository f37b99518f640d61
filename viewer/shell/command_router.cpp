#include "viewer/shell/command_router.h"

#include "viewer/shell/platform.h"

namespace kestrel {

namespace {

constexpr std::string_view kNames[] = {
    "None",
    "MenuFile",
    "MenuMail",
    "MenuReplyStatus",
    "MenuScramble",
    "MenuCommand",
    "MenuEdit",
    "MenuInsert",
    "MenuView",
    "MenuLink",
    "MenuAw",
    "MenuHelp",
    "New",
    "Open",
    "Save",
    "SaveAs",
    "PrintFont",
    "Print",
    "DeleteTempFiles",
    "SaveAndQuit",
    "Exit",
    "OpenMail",
    "NextMail",
    "PrevMail",
    "NextNew",
    "PrevNew",
    "DeleteMail",
    "Reply",
    "ReplyAll",
    "ReplyLater",
    "Forward",
    "TemporaryFile",
    "Decode",
    "DecodeZenkaku",
    "Focus",
    "ReplyStatus1",
    "ReplyStatus2",
    "ReplyStatus3",
    "ReplyStatus4",
    "ReplyStatus5",
    "Scramble",
    "Unscramble",
    "ScrambleFolder",
    "UnscrambleFolder",
    "ErasePin",
    "Command1",
    "Command2",
    "Command3",
    "Command4",
    "Command5",
    "Cut",
    "Copy",
    "Paste",
    "Delete",
    "SelectAll",
    "Quote",
    "Unquote",
    "Justify",
    "Find",
    "FindNext",
    "Replace",
    "ImeMode",
    "SpellCheck",
    "Insert1",
    "Insert2",
    "Insert3",
    "Insert4",
    "Insert5",
    "Header",
    "ViewerMode",
    "ScrambleMode",
    "WordWrap",
    "TextToSpeech",
    "Option",
    "IniFile",
    "KeyNumber",
    "FinchpostSearch",
    "PloverSearch",
    "NumberSearch",
    "WebBrowser",
    "MailTo",
    "AddressBook",
    "HtmlMail",
    "MoveMails",
    "AttachFile",
    "Contents",
    "About",
    "MailToAuthor",
    "Webpage",
    "PopupCut",
    "PopupCopy",
    "PopupPaste",
    "PopupDelete",
    "PopupSelectAll",
    "PopupQuote",
    "PopupUndo",
    "PopupWebBrowser",
    "PopupWordWrap",
    "PageUp",
    "PageDown",
    "PageDownNextKey",
    "PageUpPrevKey",
    "PageDownKey",
    "PageUpKey",
    "LineDown",
    "LineUp",
};
static_assert(sizeof kNames / sizeof kNames[0] == size_t(CommandId::Count),
              "every CommandId has its name here, in the same order");

}  // namespace

std::string_view CommandName(CommandId id) {
    size_t i = size_t(id);
    return i < size_t(CommandId::Count) ? kNames[i] : std::string_view("?");
}

const CommandRouter::Entry& CommandRouter::Slot(CommandId id) const {
    static const Entry kNobody;
    size_t i = size_t(id);
    return i < entries_.size() ? entries_[i] : kNobody;
}

void CommandRouter::Register(CommandId id, std::string_view owner, Handler handler) {
    size_t i = size_t(id);
    if (id == CommandId::None || i >= entries_.size() || owner.empty() || !handler) {
        throw std::invalid_argument("CommandRouter: bad registration of " +
                                    std::string(CommandName(id)));
    }
    Entry& e = entries_[i];
    if (!e.owner.empty()) {
        throw DuplicateRegistration("command " + std::string(CommandName(id)) + " registered by " +
                                    std::string(owner) + ", already owned by " + e.owner);
    }
    e.owner = std::string(owner);
    e.handler = std::move(handler);
}

bool CommandRouter::Execute(CommandId id) const {
    const Entry& e = Slot(id);
    if (!e.handler) return false;
    e.handler();
    return true;
}

std::vector<CommandId> CommandRouter::Unowned(const std::vector<CommandId>& ids) const {
    std::vector<CommandId> out;
    for (CommandId id : ids) {
        if (!Owned(id)) out.push_back(id);
    }
    return out;
}

void CommandRouter::ShowOwnership(MainWindow& window, const std::vector<CommandId>& ids) const {
    for (CommandId id : ids) window.SetMenuEnabled(id, Owned(id));
}

}  // namespace kestrel
