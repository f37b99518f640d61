#include "viewer/link/folder.h"

#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "support/testutil.h"
#include "viewer/link/macros.h"

namespace kestrel {
namespace {

using test::NativePath;

TEST(FolderFileRule, LowerCasedDirectoryWithFldOrCanForTrash) {
    struct Case {
        std::string path, folder, number;
        bool folderMail;
    } cases[] = {
        {"C:/Mail/Inbox/0012.txt", "c:/mail/inbox.fld", "0012", true},
        {"C:/Mail/Trash/0003.txt", "c:/mail/trash.can", "0003", true},
        {"C:/Mail/OldTrashBin/x/0003.TXT", "c:/mail/oldtrashbin/x.can", "0003", true},
        {"C:/Mail/Inbox/readme.txt", "c:/mail/inbox.fld", "", false},
        {"C:/Mail/Inbox/0012.eml", "c:/mail/inbox.fld", "", false},
        {"C:/Mail/Inbox/012.txt", "c:/mail/inbox.fld", "", false},
        {"0001.txt", ".fld", "0001", true},
        {"", ".fld", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderFileOf(NativePath(c.path)), NativePath(c.folder)) << c.path;
        EXPECT_EQ(MailNumberOf(NativePath(c.path)), c.number) << c.path;
        EXPECT_EQ(IsFolderMail(NativePath(c.path)), c.folderMail) << c.path;
    }
}

TEST(OpenMacroRule, LowerCasedPathBetweenHeadAndTail) {
    struct Case {
        std::string macro, current;
        OpenRequest::Kind kind;
        std::string path;
    } cases[] = {
        {"[open(\"c:\\mail\\inbox\\0001.txt\")]", "", OpenRequest::Open,
         "c:\\mail\\inbox\\0001.txt"},
        {"[OPEN(\"C:\\MAIL\\INBOX\\0001.TXT\")]\r\n[x]", "", OpenRequest::Open,
         "c:\\mail\\inbox\\0001.txt"},
        {std::string("[open(\"a.txt\")]\0junk", 20), "", OpenRequest::Open, "a.txt"},
        {"[OPEN(\"C:\\M\\0001.TXT\")]", "c:\\m\\0001.txt", OpenRequest::AlreadyShown, ""},
        {"[open(\"c:\\m\\0002.txt\")]", "c:\\m\\0001.txt", OpenRequest::Open, "c:\\m\\0002.txt"},
        {"[open(\"\")]", "", OpenRequest::Ignore, ""},
        {"[open(\"", "", OpenRequest::Ignore, ""},
        {"[Update(x,0001)]", "", OpenRequest::Ignore, ""},
        {"", "", OpenRequest::Ignore, ""},
        {" [open(\"x\")]", "", OpenRequest::Ignore, ""},
        {"[open(\"\x83\x41.txt\")]", "", OpenRequest::Open, "\x83\x41.txt"},
    };
    for (const Case& c : cases) {
        OpenRequest r = ParseOpenMacro(c.macro, c.current);
        EXPECT_EQ(r.kind, c.kind) << c.macro;
        EXPECT_EQ(r.path, c.path) << c.macro;
    }
}

TEST(MacroCatalogue, ByteForByte) {
    EXPECT_EQ(UpdateMacro("c:\\m\\inbox.fld", "0012"), "[Update(c:\\m\\inbox.fld,0012)]");
    EXPECT_EQ(FocusMacro("c:\\m\\inbox.fld", "0012"), "[Focus(c:\\m\\inbox.fld,0012)]");
    EXPECT_EQ(UpdateFolderMacro("c:\\m\\recv"), "[Update(c:\\m\\recv.fld)]");
    EXPECT_EQ(MoveMacro("c:\\m\\trash.can", "c:\\m\\inbox.fld", "0012"),
              "[Move(c:\\m\\trash.can,c:\\m\\inbox.fld,0012)]");
    EXPECT_EQ(MoveManyMacro("c:\\m\\in", "c:\\m\\recv", {"0001", "0002"}),
              "[Move(c:\\m\\in.fld,c:\\m\\recv.fld,0001,0002)]");
    EXPECT_EQ(ReplyMacro("f.fld", "0001"), "[Reply(f.fld,0001)]");
    EXPECT_EQ(ForwardMacro("f.fld", "0001"), "[Forward(\"f.fld\",\"0001\")]");
    EXPECT_EQ(ViewMacro("NextRecv"), "[View(\"NextRecv\")]");
    EXPECT_EQ(FinchpostFocusMacro("f.fld", "0001"), "[Focus(\"f.fld\",0001)]");
    EXPECT_EQ(AppendMacro("a@x"), "[Append(\"a@x\")]");
}

// "trash" counts only where a character starts: a folder whose double-byte name ends in a
// trail byte 't' ("\x83t" is one character) followed by "rash" is an ordinary folder, so its
// mails are not named as trash in the macros.
TEST(FolderFileRule, TrashInsideADoubleByteCharacterIsNoTrash) {
    EXPECT_EQ(FolderFileOf(NativePath("c:/x/\x83trash/0001.txt")),
              NativePath("c:/x/\x83trash.fld"));
    EXPECT_EQ(FolderFileOf(NativePath("c:/x/\x83\x83trash/0001.txt")),
              NativePath("c:/x/\x83\x83trash.can"));
    EXPECT_EQ(MoveMacro("c:/t.can", FolderFileOf(NativePath("c:/x/\x83trash/0001.txt")), "0001"),
              "[Move(c:/t.can," + NativePath("c:/x/\x83trash.fld") + ",0001)]");
}

// The out folder and compose files, one rule for the display and the window.
TEST(FolderFileRule, OutFolderAndComposeFiles) {
    EXPECT_TRUE(InOutFolder(NativePath("c:/plover/out/0001.txt")));
    EXPECT_FALSE(InOutFolder(NativePath("c:/plover/outbox/0001.txt")));
    EXPECT_TRUE(IsComposeOrOutPath(NativePath("c:/temp/_plv0001.tmp")));
    EXPECT_TRUE(IsComposeOrOutPath(NativePath("c:/plover/out/0001.txt")));
    EXPECT_FALSE(IsComposeOrOutPath(NativePath("c:/temp/_plv0001.txt")));
}

}  // namespace
}  // namespace kestrel
