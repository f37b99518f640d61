// The viewer's key bindings: loading with the viewer's defaults, the dispatch order, the
// editor-mode filter and the key-number display mode.
#include "viewer/keys/key_slots.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

constexpr int kSpace = 0x20, kBack = 0x08, kEnter = 0x0D, kDelete = 0x2E, kShift = 0x10,
              kCtrl = 0x11, kF5 = 0x74;

DispatchSlots Slots(const std::string& ini) {
    return DispatchSlotsFrom(IniFile::FromBytes(ini));
}

std::optional<KeySlot> Dispatched(const DispatchSlots& slots, int vk, bool shift, bool ctrl,
                                  bool alt, bool viewerMode) {
    KeyDecision d = DecideKey(slots, vk, shift, ctrl, alt, viewerMode, false);
    if (d.kind != KeyDecision::Kind::Run) return std::nullopt;
    return d.slot;
}

TEST(KeySlots, ViewerDefaultsWithAnEmptyFile) {
    DispatchSlots s = Slots("");
    EXPECT_EQ(s.Find(0x020), KeySlot::PageDownNext);  // before its second key, also Space
    EXPECT_EQ(s.Key(KeySlot::PageDownNext2), 0x020);
    EXPECT_EQ(s.Find(0x008), KeySlot::PageUpPrev);
    EXPECT_EQ(s.Key(KeySlot::PageUpPrev2), 0x008);
    EXPECT_EQ(s.Find(0x120), KeySlot::NextNewMail);
    EXPECT_EQ(s.Find(0x108), KeySlot::PrevNewMail);
    EXPECT_EQ(s.Find(0x02E), KeySlot::DeleteMail);
    EXPECT_EQ(s.Find(0x00D), KeySlot::ReplyAll);
    EXPECT_EQ(s.Key(KeySlot::ReplyAll2), 0x00D);
    EXPECT_EQ(s.Find(0x241), KeySlot::SelectAll);
    EXPECT_EQ(s.Find(0x074), std::nullopt);
    EXPECT_EQ(s.Find(0), std::nullopt);  // 0 is no key, though most slots hold it
}

TEST(KeySlots, EverySlotReadsItsOwnKey) {
    std::string ini = "[Key]\n";
    int32_t next = 0x300;  // clear of the keys given below
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        std::string_view name = KeySlotName(static_cast<KeySlot>(i));
        if (name.substr(0, 10) == "KeyCommand" || name.substr(0, 9) == "KeyInsert") continue;
        ini += std::string(name) + "=" + std::to_string(next + int32_t(i)) + "\n";
    }
    ini +=
        "[Command]\nKeyCommand1=$070\nKeyCommand5=$071\n[Insert]\nKeyInsert1=$072\n"
        "KeyInsert5=$273\n";
    DispatchSlots s = Slots(ini);
    for (size_t i = 0; i < kKeySlotCount; ++i) {
        KeySlot slot = static_cast<KeySlot>(i);
        std::string_view name = KeySlotName(slot);
        if (name.substr(0, 10) == "KeyCommand" || name.substr(0, 9) == "KeyInsert") continue;
        EXPECT_EQ(s.Key(slot), next + int32_t(i)) << name;
    }
    EXPECT_EQ(s.Find(0x070), KeySlot::KeyCommand1);
    EXPECT_EQ(s.Find(0x071), KeySlot::KeyCommand5);
    EXPECT_EQ(s.Find(0x072), KeySlot::KeyInsert1);
    EXPECT_EQ(s.Find(0x273), KeySlot::KeyInsert5);
    // Keys of these sections are not read from [Key].
    EXPECT_EQ(Slots("[Key]\nKeyCommand1=$070\n").Find(0x070), std::nullopt);
}

TEST(KeySlots, FileFormsAndClearedDefaults) {
    EXPECT_EQ(Slots("[Key]\nSelectAll=0\nReformat=577\n").Find(0x241), KeySlot::Reformat);
    EXPECT_EQ(Slots("[Key]\nSelectAll=0\nReformat=$0241\n").Find(0x241), KeySlot::Reformat);
    // A malformed value keeps the default.
    EXPECT_EQ(Slots("[Key]\nSelectAll=$\n").Find(0x241), KeySlot::SelectAll);
    // Space cleared from its primary slot still pages through its second one.
    EXPECT_EQ(Slots("[Key]\nPageDownNext=$000\n").Find(0x020), KeySlot::PageDownNext2);
    EXPECT_EQ(Slots("[Key]\nPageDownNext=$000\nPageDownNext2=0\n").Find(0x020), std::nullopt);
}

TEST(KeySlots, FirstSlotInDispatchOrderWins) {
    // PageDown comes before NextMail, ReplyWithStatus before SelectAll, the second keys of the
    // general commands before the external commands.
    EXPECT_EQ(Slots("[Key]\nNextMail=$041\nPageDown=$041\n").Find(0x041), KeySlot::PageDown);
    EXPECT_EQ(Slots("[Key]\nSelectAll=$231\nReplyWithStatus1=$231\n").Find(0x231),
              KeySlot::ReplyWithStatus1);
    EXPECT_EQ(Slots("[Key]\nSpellCheck2=$075\n[Command]\nKeyCommand1=$075\n").Find(0x075),
              KeySlot::SpellCheck2);
    EXPECT_EQ(Slots("[Key]\nDeleteMail2=$02E\n").Find(0x02E), KeySlot::DeleteMail);
}

TEST(KeySlots, SecondKeysRunThePrimaryCommand) {
    EXPECT_EQ(PrimaryOf(KeySlot::PageDown2), KeySlot::PageDown);
    EXPECT_EQ(PrimaryOf(KeySlot::PageUpPrev2), KeySlot::PageUpPrev);
    EXPECT_EQ(PrimaryOf(KeySlot::SpellCheck2), KeySlot::SpellCheck);
    EXPECT_EQ(PrimaryOf(KeySlot::FindNext2), KeySlot::FindNext);
    EXPECT_EQ(PrimaryOf(KeySlot::ReplyWithStatus2), KeySlot::ReplyWithStatus2);
    EXPECT_EQ(PrimaryOf(KeySlot::KeyCommand2), KeySlot::KeyCommand2);
    EXPECT_EQ(PrimaryOf(KeySlot::KeyInsert2), KeySlot::KeyInsert2);
    EXPECT_EQ(PrimaryOf(KeySlot::Count), KeySlot::Count);
}

TEST(KeyDecisions, ViewerModeRunsEveryBoundKey) {
    DispatchSlots s = Slots("");
    EXPECT_EQ(Dispatched(s, kSpace, false, false, false, true), KeySlot::PageDownNext);
    EXPECT_EQ(Dispatched(s, kBack, false, false, false, true), KeySlot::PageUpPrev);
    EXPECT_EQ(Dispatched(s, kBack, true, false, false, true), KeySlot::PrevNewMail);
    EXPECT_EQ(Dispatched(s, kDelete, false, false, false, true), KeySlot::DeleteMail);
    EXPECT_EQ(Dispatched(s, kEnter, false, false, false, true), KeySlot::ReplyAll);
    EXPECT_EQ(Dispatched(s, kSpace, true, false, false, true), KeySlot::NextNewMail);
    EXPECT_EQ(Dispatched(s, 'A', false, true, false, true), KeySlot::SelectAll);
    // Two modifiers together add nothing: Ctrl+Shift+Space is Space.
    EXPECT_EQ(Dispatched(s, kSpace, true, true, false, true), KeySlot::PageDownNext);
    EXPECT_EQ(Dispatched(s, 'Q', false, false, false, true), std::nullopt);
}

TEST(KeyDecisions, EditorModeOnlyFunctionKeysAndCtrlOrAltAlone) {
    DispatchSlots s = Slots("[Key]\nReformat=$074\nHeader=$487\nFindNext=$170\nSave=$253\n");
    for (int vk : {kSpace, kEnter, kBack, kDelete}) {
        EXPECT_EQ(Dispatched(s, vk, false, false, false, false), std::nullopt) << vk;
    }
    EXPECT_EQ(Dispatched(s, kSpace, true, false, false, false), std::nullopt);  // Shift+Space types
    EXPECT_EQ(Dispatched(s, 0x70, true, false, false, false), std::nullopt);    // Shift+F1 too
    EXPECT_EQ(Dispatched(s, kF5, false, false, false, false), KeySlot::Reformat);
    EXPECT_EQ(Dispatched(s, 'A', false, true, false, false), KeySlot::SelectAll);
    EXPECT_EQ(Dispatched(s, 'S', false, true, false, false), KeySlot::Save);
    EXPECT_EQ(Dispatched(s, 0x87, false, false, true, false), KeySlot::Header);  // Alt+F24
    EXPECT_EQ(Dispatched(s, 'B', false, true, false, false), std::nullopt);      // Ctrl, unbound
    EXPECT_TRUE(ReachesCommands(0x070, false));
    EXPECT_TRUE(ReachesCommands(0x087, false));
    EXPECT_FALSE(ReachesCommands(0x088, false));
    EXPECT_FALSE(ReachesCommands(0x06F, false));
    EXPECT_FALSE(ReachesCommands(0x200, false));  // Ctrl alone with no key
    EXPECT_TRUE(ReachesCommands(0x201, false));
}

TEST(KeyDecisions, KeyNumberModeShowsNumbersAndRunsNothing) {
    DispatchSlots s = Slots("");
    auto shown = [&](int vk, bool shift, bool ctrl, bool alt) {
        KeyDecision d = DecideKey(s, vk, shift, ctrl, alt, true, true);
        EXPECT_NE(d.kind, KeyDecision::Kind::Run);
        return d.kind == KeyDecision::Kind::ShowNumber ? d.numberLine : std::string("-");
    };
    EXPECT_EQ(shown('A', false, true, false), "$241");
    EXPECT_EQ(shown(kDelete, false, false, false), "$02E");
    EXPECT_EQ(shown(kSpace, false, false, false), "$020");
    EXPECT_EQ(shown(0x87, false, false, true), "$487");
    EXPECT_EQ(shown(kShift, true, false, false), "-");  // a modifier alone
    EXPECT_EQ(shown(kCtrl, false, true, false), "-");
    EXPECT_EQ(shown(kEnter, false, false, false), "-");
    EXPECT_EQ(shown(0x09, false, false, false), "-");
    EXPECT_EQ(shown(0x13, false, false, false), "-");  // Pause
    EXPECT_EQ(shown(0x14, false, false, false), "$014");
    EXPECT_EQ(shown(0x08, false, false, false), "$008");
}

}  // namespace
}  // namespace kestrel
