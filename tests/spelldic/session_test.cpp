// The four library calls as the viewer uses them, on small dictionaries made here: results,
// the user dictionary's life (created empty, words added and known in the next run), and what
// happens with missing, damaged or unwritable files.
#include "spelldic/session.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/fileio.h"
#include "support/testutil.h"

namespace kestrel::spelldic {
namespace {

using test::TempDir;

std::vector<std::string> Buffered(const char* buffer, int size) {
    std::vector<std::string> out;
    int i = 0;
    while (i < size && buffer[i]) {
        std::string s(buffer + i);
        i += int(s.size()) + 1;
        out.push_back(s);
    }
    return out;
}

class SessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        basic = dir.File("Basic.wtr");
        user = dir.File("UserDic.wtr");
        WordList list = WordList::FromWords({"the", "receive", "address", "separate", "cat", "John",
                                             "NASA", "don", "'t", "way", "one"});
        ASSERT_TRUE(WriteFileAtomic(basic, list.Serialize()));
    }
    int Set(SpellSession& s) {
        const char* paths[] = {basic.c_str(), user.c_str(), nullptr};
        return s.SetDictionary(paths, 0);
    }
    int Alt(SpellSession& s, const char* word) { return s.Alt(buffer, sizeof buffer, word); }

    TempDir dir;
    std::string basic, user;
    char buffer[1024];
};

TEST_F(SessionTest, UserDictionaryIsCreatedEmptyAndNeverEmptiedAgain) {
    SpellSession s;
    EXPECT_NE(s.InitializeDictionary(user.c_str()), 0);
    WordList list;
    ASSERT_TRUE(LoadWordList(user, list));
    EXPECT_EQ(list.Size(), 0u);

    ASSERT_NE(Set(s), 0);
    ASSERT_NE(s.AddSpell("Kestrel"), 0);
    // Asked again (another viewer's run), the existing dictionary keeps its word.
    EXPECT_EQ(s.InitializeDictionary(user.c_str()), 0);
    ASSERT_TRUE(LoadWordList(user, list));
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(s.InitializeDictionary(dir.File("no/such/folder/UserDic.wtr").c_str()), 0);
}

TEST_F(SessionTest, AltResults) {
    SpellSession s;
    ASSERT_NE(Set(s), 0);
    EXPECT_EQ(Alt(s, "receive"), 0);

    int n = Alt(s, "recieve");
    ASSERT_GT(n, 0);
    std::vector<std::string> got = Buffered(buffer, sizeof buffer);
    ASSERT_EQ(int(got.size()), n);
    EXPECT_EQ(got[0], "receive");

    EXPECT_EQ(Alt(s, "xqzvkwpj"), -1);
    EXPECT_EQ(buffer[0], '\0');

    // Buffer too small for anything, no buffer, no word: errors, never a write past the end.
    char tiny[1] = {'x'};
    EXPECT_LT(s.Alt(tiny, 1, "recieve"), -1);
    EXPECT_EQ(tiny[0], 'x');
    EXPECT_LT(s.Alt(nullptr, 1024, "cat"), -1);
    EXPECT_LT(s.Alt(buffer, 1024, nullptr), -1);
}

TEST_F(SessionTest, SuggestionsAreCutToTheBufferWithTheClosingEmptyString) {
    SpellSession s;
    ASSERT_NE(Set(s), 0);
    char small[12];
    std::memset(small, 'x', sizeof small);
    // "receive" + NUL + the closing NUL is 9 bytes: it fits; nothing more would.
    int n = s.Alt(small, sizeof small, "recieve");
    ASSERT_EQ(n, 1);
    EXPECT_STREQ(small, "receive");
    EXPECT_EQ(small[8], '\0');
    char smaller[8];
    EXPECT_EQ(s.Alt(smaller, sizeof smaller, "recieve"), -1);  // no suggestion fits
    EXPECT_EQ(smaller[0], '\0');
}

TEST_F(SessionTest, MissingOrDamagedDictionariesAreErrors) {
    SpellSession s;
    EXPECT_LT(Alt(s, "cat"), -1);  // nothing set yet

    const std::string none = dir.File("none.wtr");
    const char* missing[] = {none.c_str(), user.c_str(), nullptr};
    EXPECT_EQ(s.SetDictionary(missing, 0), 0);
    EXPECT_LT(Alt(s, "cat"), -1);
    EXPECT_EQ(s.AddSpell("cat"), 0);

    // A user dictionary not made yet counts as empty; a damaged one is refused, so that adding
    // a word can never write over it.
    EXPECT_NE(Set(s), 0);
    EXPECT_EQ(Alt(s, "cat"), 0);
    ASSERT_TRUE(WriteFileAtomic(user, "KWTR1 3\nzebra\napple\n"));
    EXPECT_EQ(Set(s), 0);
    EXPECT_LT(Alt(s, "cat"), -1);
    EXPECT_EQ(s.AddSpell("Kestrel"), 0);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(user, bytes));
    EXPECT_EQ(bytes, "KWTR1 3\nzebra\napple\n");
}

TEST_F(SessionTest, AddedWordIsKnownNowAndInTheNextRun) {
    {
        SpellSession s;
        ASSERT_NE(s.InitializeDictionary(user.c_str()), 0);
        ASSERT_NE(Set(s), 0);
        EXPECT_EQ(Alt(s, "Kestrel"), -1);
        EXPECT_NE(s.AddSpell("Kestrel"), 0);
        EXPECT_EQ(Alt(s, "Kestrel"), 0);
        EXPECT_NE(s.AddSpell("Kestrel"), 0);  // already there: fine, not doubled
    }
    SpellSession next;
    ASSERT_NE(Set(next), 0);
    EXPECT_EQ(Alt(next, "Kestrel"), 0);
    EXPECT_EQ(Alt(next, "KESTREL"), 0);
    EXPECT_EQ(next.GetSpeller().User().Size(), 1u);
    // Words with blanks or control bytes would break the one-word-a-line file.
    EXPECT_EQ(next.AddSpell("two words"), 0);
    EXPECT_EQ(next.AddSpell("tab\there"), 0);
    EXPECT_EQ(next.AddSpell(""), 0);
}

TEST_F(SessionTest, FailedWriteKeepsTheFileAndForgetsTheWord) {
    SpellSession s;
    const std::string lost = dir.File("gone/UserDic.wtr");
    const char* paths[] = {basic.c_str(), lost.c_str(), nullptr};
    ASSERT_NE(s.SetDictionary(paths, 0), 0);
    EXPECT_EQ(s.AddSpell("Kestrel"), 0);
    EXPECT_EQ(Alt(s, "Kestrel"), -1);
    EXPECT_FALSE(FileExists(lost));
}

TEST(WordListFormat, RoundTripsAndRefusesDamage) {
    WordList list =
        WordList::FromWords({"bill", "Bill", "apple", "Zebra", "apple", "two words", ""});
    EXPECT_EQ(list.Serialize(), "KWTR1 4\napple\nBill\nbill\nZebra\n");
    WordList back;
    ASSERT_TRUE(back.Parse(list.Serialize()));
    EXPECT_TRUE(back.ContainsExact("Bill"));
    EXPECT_FALSE(back.ContainsExact("BILL"));
    EXPECT_TRUE(back.ContainsAnyCase("BILL"));
    EXPECT_TRUE(back.ContainsAnyCase("zebra"));

    const char* damaged[] = {
        "",
        "KWTR1 2\napple\n",              // fewer words than counted
        "KWTR1 1\napple\nzebra\n",       // more
        "KWTR1 2\nzebra\napple\n",       // out of order
        "KWTR1 2\napple\napple\n",       // repeated
        "KWTR1 1\ntwo words\n",          // a blank inside
        "KWTR1 99999999999999999999\n",  // count beyond any file
        "KWTR1 -1\n",
        "KWTR2 0\n",
        "KWTR1 1\n\n",     // empty word
        "KWTR1 1\napple",  // last line cut
    };
    for (const char* bytes : damaged) {
        WordList l;
        std::string error;
        EXPECT_FALSE(l.Parse(bytes, &error)) << bytes;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(l.Size(), 0u);
    }
    std::string huge = "KWTR1 1\n" + std::string(300, 'a') + "\n";
    EXPECT_FALSE(WordList().Parse(huge));
}

}  // namespace
}  // namespace kestrel::spelldic
