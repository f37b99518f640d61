// The speller of our splcheck.dll on the real basic dictionary: what it knows, what it suggests
// first for the typos people make, and its case rules.
#include "spelldic/speller.h"

#include <gtest/gtest.h>

#include "spelldic/session.h"

namespace kestrel::spelldic {
namespace {

class BasicDictionary : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string path = KESTREL_BASIC_WTR;
        if (path.empty()) return;
        static WordList list;
        std::string error;
        ASSERT_TRUE(LoadWordList(path, list, &error)) << error;
        speller_ = new Speller;
        speller_->SetBasic(list);
    }
    static void TearDownTestSuite() {
        delete speller_;
        speller_ = nullptr;
    }
    void SetUp() override {
        if (!speller_) GTEST_SKIP() << "no basic dictionary in this build (package wamerican)";
    }
    static Speller* speller_;
};
Speller* BasicDictionary::speller_ = nullptr;

TEST_F(BasicDictionary, CommonTyposGetTheIntendedWordFirst) {
    const std::pair<const char*, const char*> typos[] = {
        {"recieve", "receive"},       {"teh", "the"},
        {"adress", "address"},        {"seperate", "separate"},
        {"definately", "definitely"}, {"occured", "occurred"},
        {"untill", "until"},          {"wich", "which"},
        {"beleive", "believe"},       {"thier", "their"},
        {"becuase", "because"},       {"goverment", "government"},
        {"tommorow", "tomorrow"},     {"accomodate", "accommodate"},
        {"neccessary", "necessary"},  {"wierd", "weird"},
        {"arguement", "argument"},    {"calender", "calendar"},
        {"existance", "existence"},   {"recomend", "recommend"},
        {"succesful", "successful"},  {"begining", "beginning"},
        {"freind", "friend"},         {"mesage", "message"},
        {"occassion", "occasion"},    {"remeber", "remember"},
        {"writting", "writing"},
    };
    for (auto [typo, want] : typos) {
        if (!want) continue;
        EXPECT_FALSE(speller_->Knows(typo)) << typo;
        auto s = speller_->Suggest(typo, 10);
        ASSERT_FALSE(s.empty()) << typo;
        EXPECT_EQ(s[0], want) << typo << " -> " << ::testing::PrintToString(s);
    }
}

}  // namespace
}  // namespace kestrel::spelldic

namespace kestrel::spelldic {
namespace {

Speller SmallSpeller() {
    Speller s;
    s.SetBasic(WordList::FromWords(
        {"the", "cat", "John", "NASA", "iPhone", "way", "one", "don", "'t", "'s", "address"}));
    return s;
}

TEST(SpellerCaseRules, AsAReaderExpects) {
    Speller s = SmallSpeller();
    EXPECT_TRUE(s.Knows("the"));
    EXPECT_TRUE(s.Knows("The"));  // begins a sentence
    EXPECT_TRUE(s.Knows("THE"));
    EXPECT_FALSE(s.Knows("tHe"));
    EXPECT_TRUE(s.Knows("John"));
    EXPECT_TRUE(s.Knows("JOHN"));
    EXPECT_FALSE(s.Knows("john"));  // a name is not known in lower case
    EXPECT_TRUE(s.Knows("NASA"));
    EXPECT_FALSE(s.Knows("Nasa"));
    EXPECT_TRUE(s.Knows("iPhone"));
    EXPECT_FALSE(s.Knows("Iphone"));
    // The viewer cuts "don't" into "don" and "'t", and 'the' into "'the" and "'".
    EXPECT_TRUE(s.Knows("don"));
    EXPECT_TRUE(s.Knows("'t"));
    EXPECT_TRUE(s.Knows("'the"));
    EXPECT_TRUE(s.Knows("'"));
    EXPECT_FALSE(s.Knows("'xyzzy"));
    // A selected word may hold what the scanner never sends.
    EXPECT_TRUE(s.Knows("one-way"));
    EXPECT_FALSE(s.Knows("one-wya"));
    EXPECT_TRUE(s.Knows("abc123"));
    EXPECT_TRUE(s.Knows("\x93\xfa\x96\x7b"));
    EXPECT_TRUE(s.Knows("2026"));
}

TEST(SpellerCaseRules, SuggestionsFollowTheTypedCase) {
    Speller s = SmallSpeller();
    EXPECT_EQ(s.Suggest("teh", 3).at(0), "the");
    EXPECT_EQ(s.Suggest("Teh", 3).at(0), "The");
    EXPECT_EQ(s.Suggest("TEH", 3).at(0), "THE");
    EXPECT_EQ(s.Suggest("jonh", 3).at(0), "John");
    EXPECT_EQ(s.Suggest("Adress", 3).at(0), "Address");
    EXPECT_TRUE(s.Suggest("xqzvkwpj", 5).empty());
    EXPECT_TRUE(s.Suggest("", 5).empty());
    EXPECT_TRUE(s.Suggest(std::string(300, 'a'), 5).empty());
    // Fragments are offered only for fragments.
    for (const std::string& w : s.Suggest("t", 10)) EXPECT_NE(w[0], '\'') << w;
}

TEST(EditCostRanking, CheapEditsAreTheTypingSlips) {
    // A swap, a neighbouring key, a doubled letter, a vowel: each cheaper than a random letter.
    EXPECT_LT(EditCost("teh", "the"), EditCost("teh", "tea"));
    EXPECT_LT(EditCost("thw", "the"), EditCost("thx", "the"));
    EXPECT_LT(EditCost("adress", "address"), EditCost("adress", "dress"));
    EXPECT_LT(EditCost("untill", "until"), EditCost("untilk", "until"));
    EXPECT_LT(EditCost("seperate", "separate"), EditCost("sepxrate", "separate"));
    EXPECT_DOUBLE_EQ(EditCost("same", "same"), 0);
}

TEST_F(BasicDictionary, KnowsEverydayMailWords) {
    for (const char* w : {"the", "The", "receive", "address", "meeting", "don", "'t", "isn", "'s",
                          "o", "'clock", "Tuesday", "NASA", "I", "a", "A"}) {
        EXPECT_TRUE(speller_->Knows(w)) << w;
    }
    for (const char* w : {"recieve", "teh", "tuesday", "Nasa", "qwzx"}) {
        EXPECT_FALSE(speller_->Knows(w)) << w;
    }
    EXPECT_TRUE(speller_->Suggest("xqzvkwpjjj", 10).empty());
}

}  // namespace
}  // namespace kestrel::spelldic
