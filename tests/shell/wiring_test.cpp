// The viewer as the composition root wires it: one owner per command, the unowned ones greyed,
// the timer steps in their order with one runner each, and the settings every feature reads in
// the first start-up stage.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "shell/mail_fixture.h"
#include "viewer/shell/key_dispatch.h"
#include "viewer/shell/menus.h"

namespace kestrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Every command id a user can reach: the menus, the pop-up menu, the tool bar and the
// key-dispatch slot table, each id once.
std::vector<CommandId> CommandsOfEverySurface() {
    std::vector<CommandId> ids = ReachableCommands();
    for (const ToolButtonDef& b : ToolButtons()) EXPECT_NE(b.command, CommandId::None);
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        CommandId id = CommandOfSlot(static_cast<KeySlot>(i));
        EXPECT_NE(id, CommandId::None) << KeySlotName(static_cast<KeySlot>(i));
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
    return ids;
}

class WiringTest : public MailShellTest {};

TEST_F(WiringTest, EveryCommandHasOneOwnerAndTheUnownedAreGreyed) {
    // A second registration of any id throws while the viewer is built.
    ASSERT_NO_THROW(Build());
    const CommandRouter& router = parts->Commands();
    std::vector<CommandId> unowned;
    for (CommandId id : CommandsOfEverySurface()) {
        SCOPED_TRACE(std::string(CommandName(id)));
        // Key actions without a menu entry or button have nothing to grey.
        const std::vector<CommandId> shown = ReachableCommands();
        const bool onScreen = std::find(shown.begin(), shown.end(), id) != shown.end();
        if (router.Owned(id)) {
            if (onScreen) EXPECT_NE(fp.window.enabled[id], false);
        } else {
            unowned.push_back(id);
            if (onScreen) {
                ASSERT_TRUE(fp.window.enabled.count(id));
                EXPECT_FALSE(fp.window.enabled[id]);
            }
            EXPECT_FALSE(router.Execute(id));
        }
    }
    // The list shrinks as features land.
    std::cout << "commands not built yet (" << unowned.size() << "):";
    for (CommandId id : unowned) std::cout << ' ' << CommandName(id);
    std::cout << '\n';
    // What is built is owned where a newcomer would look for it.
    EXPECT_EQ(router.OwnerOf(CommandId::Save), "TForm1");
    EXPECT_EQ(router.OwnerOf(CommandId::Header), "MailDisplay");
    EXPECT_EQ(router.OwnerOf(CommandId::Justify), "TextCommands");
    EXPECT_EQ(router.OwnerOf(CommandId::NextMail), "Navigation");
    EXPECT_EQ(router.OwnerOf(CommandId::PageDownNextKey), "Navigation");
    EXPECT_EQ(router.OwnerOf(CommandId::KeyNumber), "KeyDispatch");
}

TEST(CommandRouterTest, SecondOwnerIsAWiringFault) {
    CommandRouter router;
    int runs = 0;
    router.Register(CommandId::NextMail, "Navigation", [&runs] { ++runs; });
    try {
        router.Register(CommandId::NextMail, "KeyDispatch", [] {});
        FAIL() << "registered twice";
    } catch (const DuplicateRegistration& e) {
        EXPECT_THAT(e.what(), HasSubstr("NextMail"));
        EXPECT_THAT(e.what(), HasSubstr("Navigation"));
        EXPECT_THAT(e.what(), HasSubstr("KeyDispatch"));
    }
    EXPECT_TRUE(router.Execute(CommandId::NextMail));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(router.Execute(CommandId::PrevMail));
    EXPECT_EQ(router.OwnerOf(CommandId::PrevMail), "");
    EXPECT_THROW(router.Register(CommandId::None, "X", [] {}), std::invalid_argument);
    EXPECT_THROW(router.Register(CommandId::PrevMail, "X", nullptr), std::invalid_argument);
}

TEST(TimerSequencerTest, StepsHaveOneRunnerAndArmingNeedsOne) {
    FakeTimer t;
    TimerSequencer seq(t);
    seq.Register(TimerStep::Mover1, "Mover", [] {});
    EXPECT_THROW(seq.Register(TimerStep::Mover1, "Other", [] {}), DuplicateRegistration);
    EXPECT_THROW(seq.Arm(TimerStep::Mover2), std::logic_error);       // nobody runs it
    EXPECT_THROW(seq.Arm(TimerStep::MoveToTrash), std::logic_error);  // follows the deletion
    seq.Arm(TimerStep::Mover1);
    EXPECT_TRUE(t.running);
    EXPECT_EQ(seq.Tick(), TimerStep::Mover1);
    EXPECT_FALSE(seq.Armed(TimerStep::Mover1));
    EXPECT_FALSE(t.running);
    EXPECT_EQ(seq.Tick(), TimerStep::Focus);  // nothing pending, no runner: nothing happens
}

TEST(TimerSequencerTest, FollowUpAskedDuringTheDeferredCountdownGetsATickAfterIt) {
    FakeTimer t;
    TimerSequencer seq(t);
    std::vector<std::string> log;
    seq.Register(TimerStep::DeferredSettings, "TForm1", [&log] { log.push_back("deferred"); });
    seq.Register(TimerStep::Focus, "MailLink", [&log] { log.push_back("focus"); });
    seq.Arm(TimerStep::DeferredSettings);
    int starts = t.starts;
    seq.Start();                  // the first mail's Update asks for its Focus
    EXPECT_EQ(t.starts, starts);  // the countdown runs on
    EXPECT_EQ(seq.Tick(), TimerStep::DeferredSettings);
    EXPECT_TRUE(t.running);
    EXPECT_EQ(seq.Tick(), TimerStep::Focus);
    EXPECT_THAT(log, ElementsAre("deferred", "focus"));
    EXPECT_FALSE(t.running);
}

TEST(TimerSequencerTest, PendingDeletionIsTyped) {
    PendingDeletion none;
    EXPECT_TRUE(none.IsNone());
    PendingDeletion move = PendingDeletion::MoveToTrash("/p/inbox/0001.txt");
    EXPECT_TRUE(move.IsMoveToTrash());
    EXPECT_EQ(move.Path(), "/p/inbox/0001.txt");
    // A mail whose path reads like the old marker word is still a mail to move.
    PendingDeletion odd = PendingDeletion::MoveToTrash("NeedsUpdate");
    EXPECT_TRUE(odd.IsMoveToTrash());
    EXPECT_FALSE(odd == PendingDeletion::NeedsUpdate());
    EXPECT_TRUE(PendingDeletion::NeedsUpdate().Path().empty());
}

// In the mail client's own order the follow-up of a deletion is its Focus alone.
TEST_F(WiringTest, DeletionFollowUpInPloverOrderIsFocusOnly) {
    std::string mail = MakeMail("inbox/0003.txt", "READ", {"3"});
    WriteSettings("[View]\r\nNextMailMode=1\r\n");
    OpenFully({mail});
    dde.plover.executed.clear();
    parts->Timer().SetDeletion(PendingDeletion::NeedsUpdate());
    EXPECT_EQ(Tick(), TimerStep::NeedsUpdate);
    EXPECT_FALSE(fp.timer.running);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0].substr(0, 7), "[Focus(");
}

// A text command given before the first timer tick uses the settings file, not the defaults:
// the compose file is opened and Justify chosen at once.
TEST_F(WiringTest, TextCommandsBeforeTheFirstTickUseTheSettingsFile) {
    struct Case {
        const char* name;
        std::string settings;
        std::string body;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"DeleteTab=0 keeps the tab", "[View]\r\nDeleteTab=0\r\n", "\tshort", {"\tshort"}},
        {"MaxLength=10", "[View]\r\nMaxLength=10\r\n", "aaaa bbbb cccc", {"aaaa bbbb ", "cccc"}},
        {"EndCharZenkaku empty lets a line end anywhere",
         "[View]\r\nMaxLength=10\r\nEndCharZenkaku=\"\"\r\n",
         "\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x81\x42\x82\xa0",
         {"\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x81\x42", "\x82\xa0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteSettings(c.settings);
        std::string file = MakeFile("temp/_plv0001.tmp", {"To: a@x", "------", c.body});
        Open({file});
        ASSERT_TRUE(parts->Form().StartupStage());
        parts->Form().Execute(CommandId::Justify);
        std::vector<std::string> lines = fp.editor.Lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), c.after);
    }
}

// Without the viewer's DDE topic the mail client's [open] requests never arrive: the user is
// told once, at start, and the viewer works on without it.
TEST_F(WiringTest, ServerThatCannotBeRegisteredIsReportedOnce) {
    dde.server.succeed = false;
    std::string mail = MakeMail("inbox/0001.txt", "READ", {"x"});
    OpenFully({mail});
    const std::string text =
        "The mail client cannot ask this viewer to show mails: the DDE service kestrel (topic "
        "system) could not be registered.";
    EXPECT_THAT(fp.MessageTexts(), ElementsAre(text));
    EXPECT_EQ(parts->Form().CurrentFile(), Lower(mail));
    Tick();
    EXPECT_EQ(fp.MessageTexts().size(), 1u);

    fp.messages.shown.clear();
    dde.server.succeed = true;
    OpenFully({mail});
    EXPECT_TRUE(fp.MessageTexts().empty());
}

}  // namespace
}  // namespace kestrel::test
