// Key dispatch against a recording window: the default bindings in viewer and editor mode, the
// hooks' fixed key numbers, the first of two slots, and the key-number display mode.
#include "viewer/shell/key_dispatch.h"

#include <gtest/gtest.h>

#include "shell/fakes.h"

namespace kestrel::test {
namespace {

constexpr int kSpace = 0x20, kBack = 0x08, kEnter = 0x0D, kDelete = 0x2E, kShiftKey = 0x10;

class Host : public KeyDispatchHost {
  public:
    bool KeyNumberMode() const override { return keyNumberMode; }
    void SetKeyNumberMode(bool on) override { keyNumberMode = on; }
    void Execute(CommandId id) override { ran.push_back(id); }
    bool SaveIfModified() override {
        ++saveQuestions;
        return saveAnswer;
    }
    void ResetAlertColourAndUpdate() override { ++updates; }
    void SetTitle(std::string_view t) override { title = std::string(t); }

    bool keyNumberMode = false;
    bool saveAnswer = true;
    int saveQuestions = 0, updates = 0;
    std::string title;
    std::vector<CommandId> ran;
};

class KeyDispatchTest : public ::testing::Test {
  protected:
    // The slots as the deferred stage fills them.
    KeyDispatch& Loaded(const std::string& settings = "") {
        events.DeferredStage(IniFile::FromBytes(settings));
        return keys;
    }
    std::vector<CommandId> Ran() {
        std::vector<CommandId> out;
        out.swap(host.ran);
        return out;
    }

    EventLog log;
    FakeClipboard clipboard;
    FakeTextControl editor{clipboard, log};
    Host host;
    FakeTimer timer;
    CommandRouter router;
    TimerSequencer sequencer{timer};
    ViewerEvents events;
    ShellWiring wiring{router, sequencer, events};
    KeyDispatch keys{editor, host, wiring};
};

using Ids = std::vector<CommandId>;

TEST_F(KeyDispatchTest, NothingRunsBeforeTheSlotsAreFilled) {
    editor.SetReadOnly(true);
    keys.Dispatch(kSpace, 0);
    EXPECT_EQ(Ran(), Ids{});
}

TEST_F(KeyDispatchTest, DefaultBindingsInViewerMode) {
    editor.SetReadOnly(true);
    Loaded();
    keys.Dispatch(kSpace, 0);
    keys.Dispatch(kBack, 0);  // through the read-only editor's hook
    keys.Dispatch(kDelete, 0);
    keys.Dispatch(kEnter, 0);
    keys.Dispatch(kSpace, kModShift);
    keys.Dispatch('A', kModCtrl);
    keys.Dispatch(kBack, kModShift);  // only reachable like this in editor mode
    keys.Dispatch('Q', 0);
    EXPECT_EQ(Ran(), (Ids{CommandId::PageDownNextKey, CommandId::PageUpPrevKey,
                          CommandId::DeleteMail, CommandId::ReplyAll, CommandId::NextNew,
                          CommandId::SelectAll, CommandId::PrevNew}));
}

TEST_F(KeyDispatchTest, EditorModeDispatchesFunctionKeysAndCtrlOrAltOnly) {
    Loaded("[Key]\nReformat=$074\n");
    editor.SetReadOnly(false);
    for (int vk : {kSpace, kEnter, kBack, kDelete}) keys.Dispatch(vk, 0);
    keys.Dispatch(kSpace, kModShift);
    keys.Dispatch(kBack, kModShift);
    keys.Dispatch('B', kModCtrl);  // Ctrl with an unbound key
    EXPECT_EQ(Ran(), Ids{});
    keys.Dispatch(0x74, 0);
    keys.Dispatch('A', kModCtrl);
    EXPECT_EQ(Ran(), (Ids{CommandId::Justify, CommandId::SelectAll}));
}

TEST_F(KeyDispatchTest, OneKeyInTwoSlotsRunsOnlyTheFirst) {
    editor.SetReadOnly(true);
    Loaded(
        "[Key]\nNextMail=$04E\nPageDown=$04E\nReply2=$052\nKeyInsert3=$053\n"
        "[Insert]\nKeyInsert3=$054\n[Command]\nKeyCommand1=$052\n");
    keys.Dispatch('N', 0);
    keys.Dispatch('R', 0);
    keys.Dispatch('S', 0);  // [Key] KeyInsert3 is not where the phrase keys live
    keys.Dispatch('T', 0);
    EXPECT_EQ(Ran(), (Ids{CommandId::PageDownKey, CommandId::Reply, CommandId::Insert3}));
}

TEST_F(KeyDispatchTest, EverySlotRunsACommand) {
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        EXPECT_NE(CommandOfSlot(static_cast<KeySlot>(i)), CommandId::None)
            << KeySlotName(static_cast<KeySlot>(i));
    }
    EXPECT_EQ(CommandOfSlot(KeySlot::LineDown2), CommandId::LineDown);
    EXPECT_EQ(CommandOfSlot(KeySlot::ReplyWithStatus5), CommandId::ReplyStatus5);
    EXPECT_EQ(CommandOfSlot(KeySlot::KeyCommand4), CommandId::Command4);
    EXPECT_EQ(CommandOfSlot(KeySlot::SaveQuit2), CommandId::SaveAndQuit);
}

TEST_F(KeyDispatchTest, KeyNumberModePrintsNumbersAndKeepsTheTextUnmodified) {
    Loaded();
    editor.SetLines({"a mail"});
    editor.SetModified(true);
    keys.KeyNumber1Click();
    EXPECT_EQ(host.saveQuestions, 1);
    EXPECT_TRUE(editor.ReadOnly());
    EXPECT_EQ(editor.Lines(), std::vector<std::string>{std::string(kKeyNumberPrompt)});
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(host.updates, 1);
    EXPECT_TRUE(host.keyNumberMode);
    EXPECT_EQ(host.title, "Kestrel32 - Key Number");

    keys.Dispatch('A', kModCtrl);
    keys.Dispatch(kDelete, 0);  // the read-only editor's Delete hook
    keys.Dispatch(kShiftKey, kModShift);
    keys.Dispatch(kSpace, 0);
    editor.SetModified(true);  // whatever the control did with the key
    keys.Dispatch(kEnter, 0);
    EXPECT_EQ(editor.Lines(),
              (std::vector<std::string>{std::string(kKeyNumberPrompt), "$241", "$02E", "$020"}));
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(Ran(), Ids{});  // no command runs in this mode

    // The deferred stage leaves the mode.
    Loaded();
    EXPECT_FALSE(host.keyNumberMode);
}

TEST_F(KeyDispatchTest, CancelKeepsTheTextAndTheMode) {
    Loaded();
    editor.SetLines({"typed"});
    host.saveAnswer = false;
    EXPECT_EQ(router.OwnerOf(CommandId::KeyNumber), "KeyDispatch");
    EXPECT_TRUE(router.Execute(CommandId::KeyNumber));
    EXPECT_EQ(editor.Lines(), std::vector<std::string>{"typed"});
    EXPECT_FALSE(host.keyNumberMode);
}

}  // namespace
}  // namespace kestrel::test
