// Read orders, the neighbours of the mail on show, and what a deletion shows next.
#include "viewer/link/read_order.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel {
namespace {

using test::NativePath;

TEST(ReadOrders, SettingsAndViewRequests) {
    NavigationSettings d = NavigationSettingsFrom(IniFile::FromBytes(""));
    EXPECT_EQ(d.readOrder, ReadOrder::Number);
    EXPECT_EQ(d.scrollPercent, 100);
    EXPECT_TRUE(d.nextMailAtEnd);
    EXPECT_TRUE(d.alertDialog);
    EXPECT_FALSE(d.debugMode);
    NavigationSettings s = NavigationSettingsFrom(IniFile::FromBytes(
        "[View]\nNextMailMode=2\nScrollPercent=-5\nNextMailAtEnd=0\nAlertDialog=0\n"
        "DebugMode=1\n"));
    EXPECT_EQ(s.readOrder, ReadOrder::Finchpost);
    EXPECT_EQ(s.scrollPercent, -5);
    EXPECT_FALSE(s.nextMailAtEnd);
    EXPECT_FALSE(s.alertDialog);
    EXPECT_TRUE(s.debugMode);
    // An order the viewer does not know falls back to the one that needs no mail client.
    EXPECT_EQ(ReadOrderFrom(7), ReadOrder::Number);
    EXPECT_EQ(ReadOrderFrom(-1), ReadOrder::Number);
    EXPECT_EQ(ReadOrderFrom(1), ReadOrder::Plover);

    EXPECT_EQ(ViewRequestOf(ReadDirection::Next), "Next");
    EXPECT_EQ(ViewRequestOf(ReadDirection::Previous), "Prev");
    EXPECT_EQ(ViewRequestOf(ReadDirection::NextNew), "NextRecv");
    EXPECT_EQ(ViewRequestOf(ReadDirection::PreviousNew), "PrevRecv");
    EXPECT_EQ(Reversed(ReadDirection::Next), ReadDirection::Previous);
    EXPECT_EQ(Reversed(ReadDirection::Previous), ReadDirection::Next);
    EXPECT_EQ(Reversed(ReadDirection::NextNew), ReadDirection::NextNew);
}

TEST(ReadOrders, OnlyFolderMailsOutsideTheTrashGoToTheTrash) {
    EXPECT_TRUE(CanMoveToTrash(NativePath("c:/mail/inbox/0012.txt")));
    EXPECT_TRUE(CanMoveToTrash(NativePath("c:/mail/inbox/0012.TXT")));
    EXPECT_FALSE(CanMoveToTrash(NativePath("c:/mail/trash/0012.txt")));
    EXPECT_FALSE(CanMoveToTrash(NativePath("C:/Mail/OldTrash/0012.txt")));
    EXPECT_FALSE(CanMoveToTrash(NativePath("c:/mail/inbox/readme.txt")));
    EXPECT_FALSE(CanMoveToTrash(NativePath("c:/temp/_plv0001.tmp")));
    EXPECT_FALSE(CanMoveToTrash(""));
    // "\x83t" is one double-byte character: no "trash" in this folder name.
    EXPECT_TRUE(CanMoveToTrash(NativePath("c:/\x83trash/0001.txt")));
}

class Neighbourhood : public ::testing::Test {
  protected:
    void Make(std::initializer_list<int> numbers) {
        std::filesystem::create_directories(dir.File("inbox"));
        for (int n : numbers) WriteFileAtomic(Mail(n), "X-Status: READ\r\n");
    }
    std::string Mail(int n) {
        return dir.File("inbox") + PathSeparator() + std::to_string(10000 + n).substr(1) + ".txt";
    }
    test::TempDir dir;
};

TEST_F(Neighbourhood, APendingDeletionIsSteppedOver) {
    Make({1, 2, 3, 4});
    Neighbours plain = NeighboursOf(Mail(2), "");
    EXPECT_EQ(plain.next, Mail(3));
    EXPECT_EQ(plain.previous, Mail(1));
    // 0003 was deleted, its Move not yet sent: the file is still there.
    Neighbours around = NeighboursOf(Mail(2), Mail(3));
    EXPECT_EQ(around.next, Mail(4));
    EXPECT_EQ(around.previous, Mail(1));
    around = NeighboursOf(Mail(4), Mail(3));
    EXPECT_EQ(around.previous, Mail(2));
    EXPECT_EQ(around.next, "");
}

TEST(DeletionPlans, NumberOrder) {
    const Neighbours both{"n", "p"}, nextOnly{"n", ""}, prevOnly{"", "p"}, none{"", ""};
    struct Case {
        ReadDirection last;
        Neighbours around;
        bool message;
        ReadDirection direction;
        std::string open;
    } cases[] = {
        {ReadDirection::Next, both, false, ReadDirection::Next, "n"},
        {ReadDirection::Previous, both, false, ReadDirection::Previous, "p"},
        // The direction ran out: the message, the other way round from now on.
        {ReadDirection::Next, prevOnly, true, ReadDirection::Previous, "p"},
        {ReadDirection::Previous, nextOnly, true, ReadDirection::Next, "n"},
        {ReadDirection::Previous, prevOnly, false, ReadDirection::Previous, "p"},
        // The only mail: nothing to open.
        {ReadDirection::Next, none, true, ReadDirection::Previous, ""},
        // After an unread-mail search in another order: forward while a next mail exists.
        {ReadDirection::NextNew, both, false, ReadDirection::NextNew, "n"},
        {ReadDirection::PreviousNew, both, false, ReadDirection::PreviousNew, "p"},
        {ReadDirection::PreviousNew, nextOnly, false, ReadDirection::PreviousNew, "n"},
        {ReadDirection::NextNew, prevOnly, false, ReadDirection::NextNew, "p"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.last));
        SCOPED_TRACE(c.around.next + "/" + c.around.previous);
        DeletionPlan plan = PlanDeletion(c.last, c.around);
        EXPECT_EQ(plan.lastMailInFolder, c.message);
        EXPECT_EQ(plan.direction, c.direction);
        EXPECT_EQ(plan.open, c.open);
    }
}

}  // namespace
}  // namespace kestrel
