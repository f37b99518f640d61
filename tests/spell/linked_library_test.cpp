// A check run with our own dictionary code linked in through the library port, on the basic
// dictionary the build makes: the whole road from the editor's text to the user dictionary.
#include "common/fileio.h"
#include "spell/spell_fixture.h"
#include "spelldic/session.h"

namespace kestrel::test {
namespace {

// The library port served by the dictionary session in this process, as splcheck.dll serves it.
class LinkedSpellLibrary : public SpellLibrary {
  public:
    bool Has(SpellFunction) const override { return true; }
    int InitializeDictionary(const std::string& path) override {
        return session_.InitializeDictionary(path.c_str());
    }
    int SetDictionary(const std::string& basicDic, const std::string& userDic) override {
        const char* paths[] = {basicDic.c_str(), userDic.c_str(), nullptr};
        return session_.SetDictionary(paths, 0);
    }
    int Alt(char* buffer, int size, const std::string& word) override {
        return session_.Alt(buffer, size, word.c_str());
    }
    int AddSpell(const std::string& word) override { return session_.AddSpell(word.c_str()); }

  private:
    spelldic::SpellSession session_;
};

class LinkedLoader : public SpellLibraryLoader {
  public:
    std::unique_ptr<SpellLibrary> Load(std::string_view) override {
        return std::make_unique<LinkedSpellLibrary>();
    }
};

class LinkedDictionaryRun : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string basic = KESTREL_BASIC_WTR;
        if (basic.empty()) GTEST_SKIP() << "no basic dictionary in this build (package wamerican)";
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(basic, bytes));
        settings.basicDic = dir.File("Basic.wtr");
        ASSERT_TRUE(WriteFileAtomic(settings.basicDic, bytes));
    }
    void Start() { run.Start(settings); }

    TempDir dir;
    FakeSpellText text;
    LinkedLoader loader;
    FakeSpellDialog dialog;
    std::vector<std::string> messages;
    SpellCheckRun run{
        SpellPorts{text, loader, dialog, [this](std::string_view m) { messages.emplace_back(m); }}};
    SpellSettings settings;
};

TEST_F(LinkedDictionaryRun, TyposAreFoundChangedAndAddedWordsKnownNextTime) {
    text.lines = {"Subject: Re: the meeting", "", "I will recieve teh Zorblax files tomorrow.",
                  "Don't worry, it's fine.", ""};
    Start();
    const std::string userDic = dir.File("UserDic.wtr");
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0], "Empty dictionary " + userDic + " has been created.");
    EXPECT_EQ(dialog.model.word, "recieve");
    EXPECT_EQ(dialog.model.replacement, "receive");
    run.Change(dialog.model.replacement);
    EXPECT_EQ(dialog.model.word, "teh");
    EXPECT_EQ(dialog.model.replacement, "the");
    run.Change(dialog.model.replacement);
    EXPECT_EQ(dialog.model.word, "Zorblax");
    run.Add();
    EXPECT_EQ(messages.back(), "Spell Check Complete.");
    EXPECT_EQ(text.lines[2], "I will receive the Zorblax files tomorrow.");
    run.DialogClosed();

    std::string added;
    ASSERT_TRUE(ReadFileBytes(dir.File("UserDic.txt"), added));
    EXPECT_EQ(added, "Zorblax\r\n");

    messages.clear();
    text.SetSelection(0, 0);
    Start();
    EXPECT_EQ(messages, (std::vector<std::string>{"Spell Check Complete."}));
}

TEST_F(LinkedDictionaryRun, DamagedBasicDictionaryIsReportedAndEveryWordIsAnError) {
    ASSERT_TRUE(WriteFileAtomic(settings.basicDic, "not a dictionary"));
    text.lines = {"Hello world", ""};
    Start();
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages[1], "Invalid dictionary.");
    EXPECT_EQ(messages[2], "Error in spellcheck.");
    EXPECT_FALSE(run.Active());
}

}  // namespace
}  // namespace kestrel::test
