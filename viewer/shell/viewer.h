// The viewer's composition root: builds the main window and every feature, in one readable
// place, with constructor references. The Windows layer (and the tests, on fakes) make the
// platform services and the DDE channels, build one Viewer and hand the window's events to
// Form(). How to add a feature is written in docs/style.md.
#pragma once

#include <string>
#include <vector>

#include "viewer/shell/address_book.h"
#include "viewer/shell/command_menu.h"
#include "viewer/shell/command_router.h"
#include "viewer/shell/dde.h"
#include "viewer/shell/find_replace.h"
#include "viewer/shell/form1.h"
#include "viewer/shell/key_dispatch.h"
#include "viewer/shell/links.h"
#include "viewer/shell/mail_display.h"
#include "viewer/shell/mail_link.h"
#include "viewer/shell/mail_mover.h"
#include "viewer/shell/navigation.h"
#include "viewer/shell/phrase_menu.h"
#include "viewer/shell/platform.h"
#include "viewer/shell/print_commands.h"
#include "viewer/shell/reply.h"
#include "viewer/shell/save_and_quit.h"
#include "viewer/shell/scramble_commands.h"
#include "viewer/shell/spell_dialog.h"
#include "viewer/shell/temp_file_commands.h"
#include "viewer/shell/text_commands.h"
#include "viewer/shell/timer_sequencer.h"
#include "viewer/shell/viewer_events.h"
#include "viewer/shell/wiring.h"

namespace kestrel {

// What ReplyCommands needs of the scramble feature around a reply in scramble mode.
class ShownTextForReply : public ReplyTextSwap {
  public:
    explicit ShownTextForReply(ScrambleCommands& scramble) : scramble_(scramble) {}
    bool PutShownText() override { return scramble_.PutShownTextInFile(); }
    void RestoreFile() override { scramble_.RestoreMailFile(); }

  private:
    ScrambleCommands& scramble_;
};

class Viewer : private FormPeers,
               private MailScrambling,
               private NavigationHost,
               private KeyDispatchHost,
               private ScrollView {
  public:
    // Builds everything, greys the commands nobody owns, connects to Plover and registers the
    // viewer's topic "system". Throws DuplicateRegistration on a wiring fault.
    Viewer(const Platform& platform, const DdeChannels& dde);
    // Features keep references into this object: it stays where it was made.
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    TForm1& Form() { return form_; }
    MailLink& Link() { return link_; }
    MailDisplay& Display() { return display_; }
    TextCommands& Text() { return text_; }
    ScrambleCommands& Scramble() { return scramble_; }
    Navigation& Reading() { return navigation_; }
    KeyDispatch& Keys() { return keys_; }
    FindReplace& Find() { return find_; }
    Links& LinkCommands() { return links_; }
    TForm2& Spell() { return spell_; }
    const CommandRouter& Commands() const { return commands_; }
    TimerSequencer& Timer() { return timer_; }
    ReplyCommands& Replies() { return reply_; }
    SaveAndQuit& SaveQuit() { return saveAndQuit_; }
    MailMoverCommands& Mover() { return mover_; }

  private:
    // FormPeers: the main window's calls to features built after it.
    void OpenFolderMail(const std::string& path) override;
    void OpenFinchpostLink() override;
    void SendToPlover(const std::string& macro) override;
    bool AskPinAtStart() override;
    bool StartMoveMailsAtClose() override;
    void DispatchKey(int vk, unsigned modifiers) override;
    // MailScrambling.
    void UnscrambleForDisplay(std::vector<std::string>& lines) override;

    // NavigationHost: the window, the display, the timer and the link as navigation uses them.
    std::string CurrentFile() const override;
    Neighbours OpenedNeighbours() const override;
    bool SaveIfModified() override;
    void ForgetMail() override;
    void RestoreViewerMode() override;
    void ShowMessage(std::string_view text) override;
    void CheckReadOrder(ReadOrder order) override;
    void SetPendingDeletion(const std::string& path) override;
    void SetViewRequestOutstanding() override;
    void StartTimer() override;
    void SendToFinchpost(const std::string& macro) override;
    void SendUpdate() override;
    void SendMoveToTrash() override;
    ScrollView& Scroller() override { return *this; }
    int VisibleLines() override;
    // KeyDispatchHost.
    bool KeyNumberMode() const override;
    void SetKeyNumberMode(bool on) override;
    void Execute(CommandId id) override;
    void ResetAlertColourAndUpdate() override;
    void SetTitle(std::string_view title) override;
    // ScrollView: the editor.
    int FirstVisibleLine() const override;
    void ScrollLines(int lines) override;
    int TextLineCount() const override;

    Platform p_;

    // The wiring first: every feature registers into it while it is built.
    CommandRouter commands_;
    TimerSequencer timer_;
    ViewerEvents events_;
    ShellWiring wiring_;
    // The features, each built with what it uses. Order matters only here: a feature is built
    // after those it holds references to.
    TForm1 form_;
    MailLink link_;
    MailDisplay display_;
    TextCommands text_;
    AddressBook addressBook_;
    PhraseMenu phrases_;
    CommandMenu userCommands_;
    TempFileCommands tempFiles_;
    PrintCommands printing_;
    ScrambleCommands scramble_;
    Navigation navigation_;
    // Scramble mode's write-and-restore around a reply: the scramble feature's, built above.
    ShownTextForReply replySwap_;
    ReplyCommands reply_;
    SaveAndQuit saveAndQuit_;
    MailMoverCommands mover_;
    KeyDispatch keys_;
    FindReplace find_;
    Links links_;
    TForm2 spell_;
};

// Every command id a user can reach: menu entries (those built from the settings included),
// pop-up entries and tool-bar buttons, each once, in menu order.
std::vector<CommandId> ReachableCommands();

}  // namespace kestrel
