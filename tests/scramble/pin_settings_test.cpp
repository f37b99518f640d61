#include <gtest/gtest.h>

#include "common/fileio.h"
#include "common/ini.h"
#include "viewer/scramble/pin.h"
#include "viewer/scramble/scramble_settings.h"

namespace kestrel::test {
namespace {

TEST(PinEntry, TwoEqualHalvesThatConvert) {
    EXPECT_EQ(PinFromEntry("12341234"), 1234);
    EXPECT_EQ(PinFromEntry("00"), 0);
    EXPECT_EQ(PinFromEntry("$10$10"), 16);                  // converts as settings values do
    EXPECT_EQ(PinFromEntry("7000070000"), 70000 & 0xFFFF);  // above 65535: the low 16 bits
    EXPECT_EQ(PinFromEntry("-1-1"), 65535);
    EXPECT_FALSE(PinFromEntry(""));
    EXPECT_FALSE(PinFromEntry("123"));  // odd length
    EXPECT_FALSE(PinFromEntry("1234123"));
    EXPECT_FALSE(PinFromEntry("12341235"));                // halves differ
    EXPECT_FALSE(PinFromEntry("abab"));                    // not a number
    EXPECT_FALSE(PinFromEntry("9999999999999999999999"));  // out of range: does not convert
}

TEST(ScrambleSettings, FromTheSettingsFile) {
    ScrambleSettings d = ScrambleSettingsFrom(IniFile());
    EXPECT_EQ(d.keptSubjectBytes, 7);  // SubjectLength 6, plus 1
    EXPECT_EQ(d.pin, 0);
    EXPECT_EQ(d.autoScramble, ",,");
    ScrambleSettings s = ScrambleSettingsFrom(IniFile::FromBytes(
        "[Scramble]\r\nSubjectLength=-1\r\nAutoScramble=private,Diary\r\nPIN=70000\r\n"));
    EXPECT_EQ(s.keptSubjectBytes, 0);
    EXPECT_EQ(s.autoScramble, ",private,Diary,");
    EXPECT_EQ(s.pin, 70000 & 0xFFFF);
    EXPECT_EQ(ScrambleSettingsFrom(IniFile::FromBytes("[Scramble]\nSubjectLength=255\n"))
                  .keptSubjectBytes,
              0);
}

std::string Path(const std::string& dir, const std::string& name) {
    std::string sep(1, PathSeparator());
    return sep + "plover" + sep + dir + sep + name;
}

TEST(AutoScrambleFolders, ExactLowerCaseNamesOnly) {
    ScrambleSettings s =
        ScrambleSettingsFrom(IniFile::FromBytes("[Scramble]\nAutoScramble=private,diary,Secret\n"));
    EXPECT_EQ(MailFolderName(Path("Private", "0001.txt")), "private");
    EXPECT_TRUE(IsAutoScrambleFolder(s, Path("private", "0001.txt")));
    EXPECT_TRUE(IsAutoScrambleFolder(s, Path("diary", "0002.txt")));
    EXPECT_TRUE(IsAutoScrambleFolder(s, Path("Diary", "0002.txt")));    // the path is lower-cased
    EXPECT_FALSE(IsAutoScrambleFolder(s, Path("xdiary", "0002.txt")));  // only ends with a name
    EXPECT_FALSE(IsAutoScrambleFolder(s, Path("diar", "0002.txt")));
    EXPECT_FALSE(IsAutoScrambleFolder(s, Path("secret", "0001.txt")));  // written with a capital
    EXPECT_FALSE(IsAutoScrambleFolder(s, Path("inbox", "0001.txt")));
    // An empty list matches nothing, not even a mail without a folder.
    ScrambleSettings none = ScrambleSettingsFrom(IniFile());
    EXPECT_FALSE(IsAutoScrambleFolder(none, "0001.txt"));
    EXPECT_FALSE(IsAutoScrambleFolder(none, Path("inbox", "0001.txt")));
}

}  // namespace
}  // namespace kestrel::test
