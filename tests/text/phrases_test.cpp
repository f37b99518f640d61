#include "viewer/text/phrases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/text/menu_slots.h"

namespace kestrel {
namespace {

using Lines = std::vector<std::string>;

TEST(InsertPhrase, LineBreaksAtTheEndAndInTheMiddleOfALine) {
    Lines text = {"Thanks.", "x"};
    LinePos caret = InsertPhrase(text, {0, 7}, "Regards\\n\\nName");
    EXPECT_EQ(text, (Lines{"Thanks.Regards", "", "Name", "x"}));
    EXPECT_EQ(caret, (LinePos{2, 4}));

    text = {"before|after"};
    caret = InsertPhrase(text, {0, 7}, "A\\nB");
    EXPECT_EQ(text, (Lines{"before|A", "Bafter"}));
    EXPECT_EQ(caret, (LinePos{1, 1}));

    text = {"ab"};
    caret = InsertPhrase(text, {0, 1}, "XY");
    EXPECT_EQ(text, Lines{"aXYb"});
    EXPECT_EQ(caret, (LinePos{0, 3}));
}

TEST(InsertPhrase, EditorTextKeepsTheCaretArithmetic) {
    // Each "\n" becomes CR LF: the same length, so the caret lands after the phrase.
    std::string phrase = "Regards\\n\\nName";
    EXPECT_EQ(PhraseText(phrase), "Regards\r\n\r\nName");
    EXPECT_EQ(PhraseText(phrase).size(), phrase.size());
    // "表n": 0x95 0x5C is one character, not a backslash before "n".
    EXPECT_EQ(PhraseText("\x95\x5cn"), "\x95\x5cn");
    Lines text = {"\x95\x5c"};
    InsertPhrase(text, {0, 2}, "\x95\x5cn\\n");
    EXPECT_EQ(text, (Lines{"\x95\x5c\x95\x5cn", ""}));
}

TEST(InsertPhrase, OutOfRangeCaretIsPulledBack) {
    Lines text;
    EXPECT_EQ(InsertPhrase(text, {5, 9}, "a"), (LinePos{0, 1}));
    EXPECT_EQ(text, Lines{"a"});
}

TEST(MenuSlots, ConfiguredPairsArePacked) {
    IniFile ini = IniFile::FromBytes(
        "[Insert]\r\nInsertMenu3=Three\r\nInsert3=third\r\nInsertMenu5=Five\r\nInsert5=fifth\r\n"
        "InsertMenu4=Caption only\r\nKeyInsert1=$270\r\nKeyInsert2=$271\r\n");
    MenuSlots slots = InsertSlotsFrom(ini);
    ASSERT_EQ(slots.slots.size(), 2u);
    EXPECT_EQ(slots.Slot(1)->caption, "Three");
    EXPECT_EQ(slots.Slot(1)->text, "third");
    EXPECT_EQ(slots.Slot(2)->source, 5);
    EXPECT_EQ(slots.Slot(3), nullptr);
    EXPECT_EQ(slots.Slot(0), nullptr);
    // Key N runs slot N: the second key inserts phrase 5.
    EXPECT_EQ(slots.SlotOfKey(0x271), 2);
    EXPECT_EQ(slots.SlotOfKey(0), 0);
    EXPECT_EQ(slots.SlotOfKey(0x999), 0);

    EXPECT_TRUE(CommandSlotsFrom(ini).slots.empty());
}

}  // namespace
}  // namespace kestrel
