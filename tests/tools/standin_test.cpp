#include <gtest/gtest.h>

#include <filesystem>

#include "common/fileio.h"
#include "support/testutil.h"
#include "tools/standin/alias_model.h"
#include "tools/standin/macro.h"
#include "tools/standin/plover_model.h"

namespace kestrel::standin {
namespace {

TEST(MacroParsing, CatalogueForms) {
    auto m = ParseMacros("[Update(c:\\p\\inbox.fld,0012)]");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].name, "Update");
    EXPECT_EQ(m[0].args, (std::vector<std::string>{"c:\\p\\inbox.fld", "0012"}));

    m = ParseMacros("[Forward(\"c:\\p\\inbox.fld\",\"0012\")][View(\"Next\")]");
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].args, (std::vector<std::string>{"c:\\p\\inbox.fld", "0012"}));
    EXPECT_EQ(m[1].name, "View");
    EXPECT_EQ(m[1].args, std::vector<std::string>{"Next"});

    m = ParseMacros("[Move(c:\\p\\out.fld,c:\\p\\recv.fld,0001,0002)]");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].args.size(), 4u);

    // A comma inside a quoted path, and the trail byte of a double-byte character.
    m = ParseMacros("[open(\"c:\\a,b\\\x95\x5c\\0001.txt\")]");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].args, std::vector<std::string>{"c:\\a,b\\\x95\x5c\\0001.txt"});
}

TEST(MacroParsing, GarbageIsSkipped) {
    EXPECT_TRUE(ParseMacros("").empty());
    EXPECT_TRUE(ParseMacros("[[[[").empty());
    EXPECT_TRUE(ParseMacros("no macro here").empty());
    EXPECT_TRUE(ParseMacros("[Update(").empty());
    EXPECT_EQ(ParseMacros("[x][Focus(a,0001)]").size(), 1u);
    EXPECT_EQ(ParseMacros("[Update()]")[0].args.size(), 0u);
}

class PloverModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* n : {"inbox/0001.txt", "inbox/0002.txt", "inbox/0005.txt"}) Put(n, "READ");
        Put("inbox/0003.txt", "RECV");
        Put("inbox/readme.txt", "READ");
        Put("trash/0001.txt", "READ");
    }
    void Put(const std::string& rel, const std::string& status) {
        std::filesystem::create_directories(dir.path() + rel.substr(0, rel.find('/')));
        ASSERT_TRUE(
            WriteLinesAtomic(At(rel), {"X-Status: " + status, "From: taro@example.jp",
                                       "Subject: Hello", std::string(50, '-'), "body of " + rel}));
    }
    std::string Folder(const std::string& name) { return dir.path() + name + ".fld"; }
    // A file below the data folder, with the platform's separator.
    std::string At(std::string rel) {
        for (char& c : rel)
            if (c == '/') c = PathSeparator();
        return dir.File(rel);
    }

    test::TempDir dir;
    test::TempDir temp;
};

TEST_F(PloverModelTest, ViewWalksTheFolderFromTheFocus) {
    PloverModel model(temp.path());
    EXPECT_TRUE(model.Execute({"View", {"Next"}}).openPath.empty());  // no focus yet
    model.Execute({"Focus", {Folder("inbox"), "0002"}});
    EXPECT_EQ(model.Execute({"View", {"Next"}}).openPath, At("inbox/0003.txt"));
    EXPECT_EQ(model.Execute({"View", {"Prev"}}).openPath, At("inbox/0001.txt"));
    model.Execute({"Focus", {Folder("inbox"), "0005"}});
    EXPECT_EQ(model.Execute({"View", {"PrevRecv"}}).openPath, At("inbox/0003.txt"));
    EXPECT_TRUE(model.Execute({"View", {"NextRecv"}}).openPath.empty());
    EXPECT_FALSE(model.Execute({"Frobnicate", {}}).known);
}

TEST_F(PloverModelTest, MoveToTrashTakesTheNextFreeNumber) {
    PloverModel model(temp.path());
    model.Execute({"Move", {dir.path() + "trash.can", Folder("inbox"), "0002"}});
    EXPECT_FALSE(FileExists(At("inbox/0002.txt")));
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadFileLines(At("trash/0002.txt"), lines));
    EXPECT_EQ(lines.back(), "body of inbox/0002.txt");
}

TEST_F(PloverModelTest, ReplyWritesAComposeFileAndStartsTheViewer) {
    PloverModel model(temp.path());
    PloverAction a = model.Execute({"Reply", {Folder("inbox"), "0001"}});
    EXPECT_EQ(a.startViewerOn, temp.File("_plv0000.tmp"));
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadFileLines(a.startViewerOn, lines));
    EXPECT_EQ(lines[0], "To: taro@example.jp");
    EXPECT_EQ(lines[1], "Subject: Re: Hello");
    EXPECT_EQ(lines.back(), "> body of inbox/0001.txt");
    a = model.Execute({"Forward", {Folder("inbox"), "0001"}});
    EXPECT_EQ(a.startViewerOn, temp.File("_plv0001.tmp"));
    EXPECT_TRUE(model.Execute({"Reply", {Folder("inbox"), "0099"}}).startViewerOn.empty());
}

}  // namespace
}  // namespace kestrel::standin

namespace kestrel::standin {
namespace {

TEST(AliasStandIn, ReadsEscapesAsTheToolDoes) {
    std::vector<Macro> m = ParseMacros("[Append(\"Yamada\\, Taro <t@x.jp>\")]");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(AliasEntryFromArgument(m[0].args[0]), "Yamada, Taro <t@x.jp>");
    // Unescaped, the comma ends the entry: a viewer that forgot the backslash is caught.
    m = ParseMacros("[Append(\"Yamada, Taro <t@x.jp>\")]");
    EXPECT_EQ(AliasEntryFromArgument(m[0].args[0]), "Yamada");
    EXPECT_EQ(AliasEntryFromArgument("a\\\\b\\:c"), "a\\b:c");
    EXPECT_EQ(AliasEntryFromArgument("\x95\x5c, x"), "\x95\x5c");  // 0x5C trail byte
    EXPECT_EQ(AliasEntryFromArgument("end\\"), "end\\");
}

}  // namespace
}  // namespace kestrel::standin
