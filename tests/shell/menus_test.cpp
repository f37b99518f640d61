// The menu model the Windows layer builds its menus and tool bar from.
#include "viewer/shell/menus.h"

#include <gtest/gtest.h>

#include <set>

#include "common/sjis.h"
#include "shell/shell_fixture.h"

namespace kestrel::test {
namespace {

// Every lead byte is followed by a valid trail byte (0x40-0x7E, 0x80-0xFC).
bool IsWellFormedSjis(std::string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char b = s[i];
        if (IsSingleByteChar(b)) continue;
        if (b == 0x80 || b == 0xA0 || b > 0xFC || b == 0x7F || i + 1 >= s.size()) return false;
        unsigned char t = s[++i];
        if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
    }
    return true;
}

std::vector<MenuItemDef> AllEntries() {
    std::vector<MenuItemDef> all;
    for (const MenuDef& m : MainMenus()) {
        all.push_back({m.id, m.english, m.japanese});
        for (const MenuItemDef& i : m.items) {
            if (!i.IsSeparator()) all.push_back(i);
        }
    }
    for (const MenuItemDef& i : PopupMenuItems()) {
        if (!i.IsSeparator()) all.push_back(i);
    }
    return all;
}

TEST(MenuModel, EveryEntryHasOneIdAndWellFormedCaptions) {
    std::set<CommandId> ids;
    for (const MenuItemDef& e : AllEntries()) {
        EXPECT_TRUE(ids.insert(e.id).second) << e.english;
        EXPECT_FALSE(e.english.empty());
        EXPECT_TRUE(IsWellFormedSjis(e.japanese)) << e.english;
        EXPECT_EQ(MenuCaption(e.id, false), e.english);
    }
    EXPECT_EQ(ids.size(), 82u);  // 11 menus, 62 entries, 9 pop-up entries
}

TEST(MenuModel, JapaneseCaptionsAndTheirFallback) {
    struct Case {
        CommandId id;
        std::string_view english, japanese;
    };
    const Case cases[] = {
        {CommandId::MenuFile, "&File",
         "\x83t\x83@\x83"
         "C\x83\x8b(&F)"},
        {CommandId::OpenMail, "&Open mail ", "\x83\x81\x81[\x83\x8b\x82\xf0\x8aJ\x82\xad(&O) ..."},
        {CommandId::DeleteMail, "&Delete mail ", "\x83\x81\x81[\x83\x8b\x8d\xed\x8f\x9c(&D)"},
        {CommandId::SaveAndQuit, "Save and &Quit",
         "\x95\xdb\x91\xb6\x8fI\x97\xb9(\x91\x97\x90M)(&Q)"},
        {CommandId::Paste, "&Paste", "\x93\\\x82\xe8\x95t\x82\xaf(&P)"},  // 0x5C trail byte
        {CommandId::PloverSearch, "&Plover search",
         "\x83v\x83\x89\x83o\x81[\x83\\\x81[\x83g\x8f\x87(&D)"},
        {CommandId::PopupUndo, "Undo", "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7"},
        // No Japanese caption: the English one stays.
        {CommandId::MenuAw, "&AW", "&AW"},
        {CommandId::SpellCheck, "&Spell check", "&Spell check"},
        {CommandId::PageUp, "", ""},  // a tool-bar command without a menu entry
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MenuCaption(c.id, false), c.english);
        EXPECT_EQ(MenuCaption(c.id, true), c.japanese);
    }
}

TEST(MenuModel, MenusInOrderWithTheScrambleMenuHidden) {
    std::vector<std::string_view> names;
    for (const MenuDef& m : MainMenus()) {
        names.push_back(m.english);
        EXPECT_EQ(m.hiddenAtStart, m.id == CommandId::MenuScramble);
    }
    EXPECT_EQ(names, (std::vector<std::string_view>{"&File", "&Mail", "&Reply", "&Scramble",
                                                    "&Command", "&Edit", "&Insert", "&View",
                                                    "&Link", "&AW", "&Help"}));
}

TEST(ToolBarModel, TwentyTwoButtonsLeftToRight) {
    const auto& b = ToolButtons();
    ASSERT_EQ(b.size(), 22u);
    for (size_t i = 1; i < b.size(); ++i) EXPECT_GE(b[i].left, b[i - 1].left + kToolButtonSize);
    EXPECT_EQ(b[0].hint, "Save and quit");
    EXPECT_EQ(b[5].hint, " Reply to All");  // with its leading blank
    EXPECT_EQ(b[11].command, CommandId::PageUp);
    EXPECT_EQ(b[21].left, 565);
    EXPECT_EQ(b[21].command, CommandId::AddressBook);
}

TEST_F(ShellTest, JapaneseMenusReachEveryEntry) {
    Start({});
    for (const MenuItemDef& e : AllEntries()) {
        EXPECT_EQ(fp.window.captions[e.id], MenuCaption(e.id, true));
    }
}

}  // namespace
}  // namespace kestrel::test
