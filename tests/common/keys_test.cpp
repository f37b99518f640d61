#include "common/keys.h"

#include <gtest/gtest.h>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

constexpr int kVkA = 0x41;

TEST(KeyNumberRule, OnlyASingleModifierCounts) {
    struct Case {
        int vk;
        bool shift, ctrl, alt;
        int32_t want;
    } cases[] = {
        {kVkA, false, false, false, 0x041},  {kVkA, true, false, false, 0x141},
        {kVkA, false, true, false, 0x241},   {kVkA, false, false, true, 0x441},
        {kVkA, true, true, false, 0x041},    {kVkA, false, true, true, 0x041},
        {kVkA, true, false, true, 0x041},    {kVkA, true, true, true, 0x041},
        {0x20, false, false, false, 0x020},  {0x20, true, false, false, 0x120},
        {0x08, true, false, false, 0x108},   {0xFF, false, false, true, 0x4FF},
        {0x1FF, false, false, false, 0x0FF},  // only the low byte is a VK code
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeKey(c.vk, c.shift, c.ctrl, c.alt), c.want) << c.vk << c.shift << c.ctrl;
    }
}

TEST(KeyNumberRule, TextForms) {
    EXPECT_EQ(FormatKeyNumber(577), "$241");
    EXPECT_EQ(FormatKeyNumber(0x00D), "$00D");
    EXPECT_EQ(FormatKeyNumber(0), "$000");
    EXPECT_EQ(FormatKeyNumber(0x4FF), "$4FF");
    EXPECT_EQ(FormatKeyNumber(0x1234), "$1234");
    EXPECT_EQ(FormatKeyBox(0x241), "241");
    EXPECT_EQ(FormatKeyBox(0x00D), "00D");
    EXPECT_EQ(FormatKeyBox(0), "");
    EXPECT_EQ(KeyInUseMessage(0x256), "Key $256 already in use.");
}

TEST(KeyActionTable, OrderNamesAndDefaults) {
    const auto& a = KeyActions();
    EXPECT_EQ(a[0].name, "SelectAll");
    EXPECT_EQ(a[19].name, "FindNext");
    EXPECT_EQ(a[29].name, "SpellCheck");
    EXPECT_EQ(a[3].caption, "Page Down");
    EXPECT_EQ(a[1].caption,
              "\x89\xba\x82\xd6"
              "1"
              "\x8d\x73");
    EXPECT_EQ(FindKeyAction("replyall"), 16u);
    EXPECT_EQ(FindKeyAction("Nope"), kKeyActionCount);
    int withDefault = 0;
    for (const KeyAction& k : a) {
        if (k.editorPrimary) ++withDefault;
        EXPECT_EQ(k.viewerPrimary, k.editorPrimary) << k.name;
    }
    EXPECT_EQ(withDefault, 7);
    EXPECT_EQ(KeyTable::ActionEntry(0, false), 15u);  // entry 16 counted from 1
    EXPECT_EQ(KeyTable::ActionEntry(29, true), 74u);  // entry 75 counted from 1
}

TEST(ViewerKeyLoad, DefaultsApplyToAbsentKeysOnly) {
    ViewerKeys k = LoadViewerKeys(IniFile());
    size_t pdn = FindKeyAction("PageDownNext"), all = FindKeyAction("ReplyAll");
    EXPECT_EQ(k.primary[0], 0x241);
    EXPECT_EQ(k.second[pdn], 0x020);
    EXPECT_EQ(k.second[FindKeyAction("PageUpPrev")], 0x008);
    EXPECT_EQ(k.second[all], 0x00D);
    EXPECT_EQ(k.second[0], 0);

    k = LoadViewerKeys(IniFile::FromBytes(
        "[Key]\nSelectAll=577\nPageDownNext2=$000\nFindNext=$072\nFindNext2=$172\n"
        "ReplyWithStatus3=$031\n[Command]\nKeyCommand5=$441\n[Insert]\nKeyInsert1=$0241\n"));
    EXPECT_EQ(k.primary[0], 0x241);
    EXPECT_EQ(k.second[pdn], 0);
    EXPECT_EQ(k.primary[FindKeyAction("FindNext")], 0x072);
    EXPECT_EQ(k.second[FindKeyAction("FindNext")], 0x172);
    EXPECT_EQ(k.replyWithStatus[2], 0x031);
    EXPECT_EQ(k.command[4], 0x441);
    EXPECT_EQ(k.insert[0], 0x241);
}

TEST(KeyTableLoad, EditorDefaultsPrimaryOnlyAndReservedKeys) {
    KeyTable t;
    t.Load(
        IniFile::FromBytes("[Key]\nReplyWithStatus1=$031\nDeleteMail=0\n[Insert]\n"
                           "KeyInsert2=$441\n"));
    EXPECT_EQ(t.Get(KeyTable::ActionEntry(0, false)), 0x241);
    EXPECT_EQ(t.Get(KeyTable::ActionEntry(FindKeyAction("PageDownNext"), true)), 0);
    EXPECT_EQ(t.Get(KeyTable::ActionEntry(FindKeyAction("ReplyAll"), false)), 0x00D);
    EXPECT_EQ(t.Get(KeyTable::ActionEntry(FindKeyAction("DeleteMail"), false)), 0);
    EXPECT_EQ(t.Get(KeyTable::ReplyWithStatusEntry(1)), 0x031);
    EXPECT_EQ(t.Get(KeyTable::InsertEntry(2)), 0x441);
    EXPECT_EQ(t.BoxText(KeyTable::InsertEntry(2)), "441");
    EXPECT_EQ(t.Get(KeyTable::kReservedFirst), 0x25A);
    EXPECT_EQ(t.Get(KeyTable::kReservedFirst + 3), 0x256);
    EXPECT_EQ(t.Get(KeyTable::kReservedFirst + 20), 0x128);
}

TEST(KeyAssignRule, ScanClearAndIgnoreInOrder) {
    using R = KeyTable::AssignResult;
    const size_t box = KeyTable::InsertEntry(1);
    const size_t replyAll = KeyTable::ActionEntry(FindKeyAction("ReplyAll"), false);
    struct Case {
        const char* name;
        std::string file;
        size_t entry;
        int vk;
        bool shift, ctrl, alt;
        R result;
        int32_t stored;  // the entry afterwards
        std::string message;
    } cases[] = {
        {"Enter refused while ReplyAll holds it", "", box, 0x0D, false, false, false, R::Refused, 0,
         "Key $00D already in use."},
        {"Enter ignored once ReplyAll is cleared", "[Key]\nReplyAll=0\n", box, 0x0D, false, false,
         false, R::Ignored, 0, ""},
        {"reserved Ctrl+V refused", "", box, 0x56, false, true, false, R::Refused, 0,
         "Key $256 already in use."},
        {"own value refused", "[Insert]\nKeyInsert1=$072\n", box, 0x72, false, false, false,
         R::Refused, 0x072, "Key $072 already in use."},
        {"ReplyWithStatus blocks its key everywhere", "[Key]\nReplyWithStatus1=$031\n", replyAll,
         0x31, false, false, false, R::Refused, 0x00D, "Key $031 already in use."},
        {"Shift+1 clears", "", replyAll, 0x31, true, false, false, R::Stored, 0, ""},
        {"Ctrl alone ignored", "", box, 0x11, false, true, false, R::Ignored, 0, ""},
        {"Shift alone ignored", "", box, 0x10, true, false, false, R::Ignored, 0, ""},
        {"Tab ignored", "", box, 0x09, false, false, false, R::Ignored, 0, ""},
        {"F1 stored", "", box, 0x70, false, false, false, R::Stored, 0x070, ""},
        {"Ctrl+Shift+A is plain A", "", box, 0x41, true, true, false, R::Stored, 0x041, ""},
        {"Ctrl+A refused while SelectAll holds it", "", box, 0x41, false, true, false, R::Refused,
         0, "Key $241 already in use."},
    };
    for (const Case& c : cases) {
        KeyTable t;
        t.Load(IniFile::FromBytes(c.file));
        KeyTable::AssignOutcome o = t.TryAssign(c.entry, c.vk, c.shift, c.ctrl, c.alt);
        EXPECT_EQ(o.result, c.result) << c.name;
        EXPECT_EQ(o.message, c.message) << c.name;
        EXPECT_EQ(t.Get(c.entry), c.stored) << c.name;
    }
    // Shift+1 bound somewhere is refused under its own number, not as the cleared value.
    KeyTable t;
    t.Load(IniFile::FromBytes("[Command]\nKeyCommand1=$131\n"));
    EXPECT_EQ(t.TryAssign(box, 0x31, true, false, false).message, "Key $131 already in use.");
}

TEST(KeyTableSave, WritesOnlyWhatDiffersFromTheFile) {
    test::TempDir dir;
    std::string path = dir.File("kestrel.ini");
    const std::string before =
        "[Key]\r\nNextMail=$04E\r\nReplyWithStatus1=$031\r\nDeleteMail=46\r\n; note\r\n";
    ASSERT_TRUE(WriteFileAtomic(path, before));
    KeyTable t;
    t.Load(IniFile::Load(path));
    const size_t next = KeyTable::ActionEntry(FindKeyAction("NextMail"), false);
    ASSERT_EQ(t.TryAssign(next, 0x31, true, false, false).result, KeyTable::AssignResult::Stored);
    t.Set(KeyTable::ReplyWithStatusEntry(1), 0x032);
    t.Set(KeyTable::CommandEntry(2), 0x441);
    ASSERT_TRUE(t.Save(path));
    IniFile after = IniFile::Load(path);
    EXPECT_EQ(after.Get("Key", "NextMail"), std::string("$000"));   // cleared binding
    EXPECT_EQ(after.Get("Key", "SelectAll"), std::string("$241"));  // default on first save
    EXPECT_EQ(after.Get("Key", "ReplyAll"), std::string("$00D"));
    EXPECT_EQ(after.Get("Key", "DeleteMail"), std::string("46"));          // equal: untouched
    EXPECT_EQ(after.Get("Key", "ReplyWithStatus1"), std::string("$031"));  // never written
    EXPECT_EQ(after.Get("Key", "PageDownNext2"), std::nullopt);
    EXPECT_EQ(after.Get("Key", "PrevMail"), std::nullopt);  // 0 while absent: not written
    EXPECT_EQ(after.Get("Command", "KeyCommand2"), std::string("$441"));
    EXPECT_EQ(after.Get("Insert", "KeyInsert1"), std::nullopt);
    EXPECT_NE(after.Bytes().find("; note\r\n"), std::string::npos);

    // A second save of an unchanged table writes nothing.
    std::string once = after.Bytes();
    KeyTable again;
    again.Load(after);
    ASSERT_TRUE(again.Save(path));
    EXPECT_EQ(IniFile::Load(path).Bytes(), once);
}

}  // namespace
}  // namespace kestrel
