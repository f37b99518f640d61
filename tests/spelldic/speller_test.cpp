// The speller of our splcheck.dll on the real basic dictionary: what it knows, what it suggests
// first for the typos people make, and its case rules.
#include <gtest/gtest.h>

#include "spelldic/session.h"
#include "spelldic/speller.h"

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
        {"recieve", "receive"},   {"teh", "the"},           {"adress", "address"},
        {"seperate", "separate"}, {"definately", "definitely"}, {"occured", "occurred"},
        {"untill", "until"},      {"wich", "which"},         {"beleive", "believe"},
        {"thier", "their"},       {"becuase", "because"},   {"goverment", "government"},
        {"tommorow", "tomorrow"}, {"accomodate", "accommodate"}, {"neccessary", "necessary"},
        {"wierd", "weird"},       {"arguement", "argument"}, {"calender", "calendar"},
        {"existance", "existence"}, {"recomend", "recommend"}, {"succesful", "successful"},
        {"begining", "beginning"}, {"freind", "friend"},     {"mesage", "message"},
        {"occassion", "occasion"}, {"remeber", "remember"}, {"writting", "writing"},
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
