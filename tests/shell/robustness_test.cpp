// Garbage, huge lines and cut double-byte characters on the start-up paths.
#include <gtest/gtest.h>

#include <random>

#include "shell/shell_fixture.h"
#include "viewer/shell/launch.h"
#include "viewer/shell/startup.h"

namespace kestrel::test {
namespace {

std::string RandomBytes(std::mt19937& rng, size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(size, '\0');
    for (char& c : s) c = char(byte(rng));
    return s;
}

TEST(StartupParsersSurviveGarbage, RandomBytesHugeLinesAndCutCharacters) {
    std::mt19937 rng(7);
    std::vector<std::string> inputs = {"",
                                       "\"",
                                       "\x83",
                                       "/s\x83",
                                       "/x/\x83",
                                       std::string(1 << 20, 'a'),
                                       "\"" + std::string(100000, '\x82')};
    for (int i = 0; i < 300; ++i) inputs.push_back(RandomBytes(rng, i % 64));
    for (const std::string& in : inputs) {
        CommandLine cl = ParseCommandLine({in, in});
        EXPECT_LE(cl.file.size(), 2 * in.size() + 1);
        std::string dir = ClientDirOf(in);
        EXPECT_EQ(in.compare(0, dir.size(), dir), 0);
        FolderFileOf(in);
        IsComposeOrOutPath(in);
        ProgramFileOf(in);
        std::string line = BuildCommandLine(in, "arg", "x");
        EXPECT_EQ(line.substr(line.size() - 6), " arg x");
        TrashPathFrom(IniFile::FromBytes("[Folder]\nName0=" + in + "\n"), in, "/c/");
    }
}

TEST(WorkingPathRule, NamesAreMatchedOnWholeCharacters) {
    // "\x83t" is one character: the folder name holds no "trash".
    EXPECT_EQ(FolderFileOf("/x/\x83trash/0001.txt"), "/x/\x83trash.fld");
    EXPECT_EQ(FolderFileOf("/x/a\x83trash/0001.txt"), "/x/a\x83trash.fld");
    EXPECT_EQ(FolderFileOf("/x/\x83\x83trash/0001.txt"), "/x/\x83\x83trash.can");
    EXPECT_TRUE(ContainsText("a\x83\x83_plv", "_plv"));
    EXPECT_FALSE(ContainsText("a\x83_plv", "_plv"));
}

TEST_F(ShellTest, GarbageSettingsAndComposeFileStillStart) {
    std::mt19937 rng(11);
    WriteSettings(RandomBytes(rng, 4000) + "\n[View]\nTimer=abc\nRuler=\x83");
    std::string file = dir.File("temp/_plv0001.tmp");
    std::filesystem::create_directories(dir.File("temp"));
    WriteFileAtomic(file,
                    std::string(200000, 'x') + "\r\n-----\r\n" + RandomBytes(rng, 5000) + "\x83");
    StartFully({file});
    EXPECT_EQ(fp.timer.interval, 400);
    EXPECT_GE(fp.editor.LineCount(), 2);
    EXPECT_EQ(form->State().currentFile, file);
    EXPECT_TRUE(form->TryClose());
}

}  // namespace
}  // namespace kestrel::test
