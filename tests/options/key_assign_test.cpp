// Key bindings in both dialogs of the options editor: one table, one rule, written on OK.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/fileio.h"
#include "common/ini.h"
#include "options/btn_bottom_dlg.h"
#include "options/mult_page_dlg.h"
#include "support/testutil.h"
#include "tests/options/fake_options_platform.h"

namespace kestrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kVkBack = 0x08, kVkEnter = 0x0D, kVkCtrl = 0x11, kVkSpace = 0x20, kVk1 = 0x31,
              kVkF = 0x46, kVkQ = 0x51, kVkV = 0x56;
constexpr KeyPress Plain(int vk) {
    return {vk, false, false, false};
}
constexpr KeyPress Ctrl(int vk) {
    return {vk, false, true, false};
}
constexpr KeyPress Shift(int vk) {
    return {vk, true, false, false};
}

// Box numbers of the key assignment dialog: action n (1-based) has boxes 2n-1 and 2n.
constexpr int kPageDownNextSecond = 10;
constexpr int kSelectAllPrimary = 1;
constexpr int kReplyPrimary = 31;

class KeyBoxes : public ::testing::Test {
  protected:
    void SetUp() override {
        platform_.onKeyAssign = [this] {
            // The modal key dialog: shown on the options dialog's table, then the scripted keys.
            TBtnBottomDlg keyDlg(dialog_->form().keys, platform_);
            keyDlg.FormShow();
            for (auto& [box, key] : keysInDialog_) keyDlg.KeyDown(box, key);
            shown_.clear();
            for (int m = 1; m <= TBtnBottomDlg::kBoxCount; ++m) shown_.push_back(keyDlg.BoxText(m));
            keysInDialog_.clear();
        };
    }
    std::string path() const { return dir_.File("kestrel.ini"); }
    TMultPageDlg& Open(const std::string& settings) {
        EXPECT_TRUE(WriteFileAtomic(path(), settings));
        dialog_ = std::make_unique<TMultPageDlg>(path(), platform_);
        dialog_->FormCreate();
        return *dialog_;
    }
    void KeyAssign(std::vector<std::pair<int, KeyPress>> keys) {
        keysInDialog_ = std::move(keys);
        dialog_->BitBtn1Click();
    }
    std::string Settings() const {
        std::string bytes;
        ReadFileBytes(path(), bytes);
        return bytes;
    }
    std::vector<std::string> Messages() {
        std::vector<std::string> m;
        for (const std::string& e : platform_.log)
            if (e.compare(0, 9, "message: ") == 0) m.push_back(e.substr(9));
        platform_.log.clear();
        return m;
    }

    test::TempDir dir_;
    test::FakeOptionsPlatform platform_;
    std::unique_ptr<TMultPageDlg> dialog_;
    std::vector<std::pair<int, KeyPress>> keysInDialog_;
    std::vector<std::string> shown_;
};

TEST_F(KeyBoxes, APhraseKeyIsRefusedInTheKeyDialogAndTheOtherWayRound) {
    TMultPageDlg& d = Open("");
    d.KeyDown("EditInsKey1", Ctrl(kVkQ));
    EXPECT_EQ(d.form().Text("EditInsKey1"), "251");
    KeyAssign({{kReplyPrimary, Ctrl(kVkQ)}, {kReplyPrimary, Ctrl(kVkF)}});
    EXPECT_THAT(Messages(), ElementsAre("Key $251 already in use."));
    EXPECT_EQ(shown_[kReplyPrimary - 1], "246");
    d.KeyDown("EditComKey2", Ctrl(kVkF));
    EXPECT_THAT(Messages(), ElementsAre("Key $246 already in use."));
    EXPECT_EQ(d.form().Text("EditComKey2"), "");
}

TEST_F(KeyBoxes, ReservedDefaultAndOwnKeysAreRefusedModifiersAloneIgnored) {
    TMultPageDlg& d = Open("[Key]\r\nReplyWithStatus1=$031\r\n");
    d.KeyDown("EditInsKey2", Ctrl(kVkV));
    d.KeyDown("EditInsKey2", Plain(kVkEnter));  // ReplyAll's default
    d.KeyDown("EditInsKey2", Plain(kVk1));      // a reply-with-status key read from the file
    EXPECT_THAT(Messages(), ElementsAre("Key $256 already in use.", "Key $00D already in use.",
                                        "Key $031 already in use."));
    d.KeyDown("EditInsKey2", Plain(kVkCtrl));
    EXPECT_EQ(d.form().Text("EditInsKey2"), "");
    d.KeyDown("EditInsKey2", Plain(kVkF));
    d.KeyDown("EditInsKey2", Plain(kVkF));  // the box's own key is in use too
    EXPECT_THAT(Messages(), ElementsAre("Key $046 already in use."));
    EXPECT_EQ(d.form().Text("EditInsKey2"), "046");

    // With ReplyAll cleared, Enter is free but never becomes a binding.
    KeyAssign({{33, Shift(kVk1)}});
    d.KeyDown("EditInsKey3", Plain(kVkEnter));
    EXPECT_THAT(Messages(), IsEmpty());
    EXPECT_EQ(d.form().Text("EditInsKey3"), "");
}

TEST_F(KeyBoxes, TheKeyDialogShowsTheCurrentTableEachTime) {
    Open("[Key]\r\nSelectAll=577\r\nNextMail=$0246\r\n");
    KeyAssign({{3, Plain(0x74)}});
    EXPECT_EQ(shown_[kSelectAllPrimary - 1], "241");
    EXPECT_EQ(shown_[20], "246");                    // NextMail, action 11
    EXPECT_EQ(shown_[9 - 1], "020");                 // PageDownNext's default
    EXPECT_EQ(shown_[kPageDownNextSecond - 1], "");  // the viewer's default is not shown
    EXPECT_EQ(shown_[3 - 1], "074");
    KeyAssign({});
    EXPECT_EQ(shown_[3 - 1], "074");  // kept in the table, not yet in the file
    EXPECT_EQ(Settings(), "[Key]\r\nSelectAll=577\r\nNextMail=$0246\r\n");
}

TEST_F(KeyBoxes, ShiftOneClearsAndZeroIsWrittenOnlyWhereTheFileHeldAKey) {
    Open("[Key]\r\nPageDownNext2=$021\r\n[Insert]\r\nKeyInsert1=$070\r\n");
    KeyAssign({{kPageDownNextSecond, Shift(kVk1)}, {24, Shift(kVk1)}, {14, Shift(kVk1)}});
    dialog_->KeyDown("EditInsKey1", Shift(kVk1));
    EXPECT_EQ(dialog_->form().Text("EditInsKey1"), "");
    ASSERT_TRUE(dialog_->OKBtnClick());
    IniFile ini = IniFile::Load(path());
    EXPECT_EQ(ini.GetString("Key", "PageDownNext2", ""), "$000");
    EXPECT_EQ(ini.GetString("Insert", "KeyInsert1", ""), "$000");
    EXPECT_FALSE(ini.Get("Key", "PageUpPrev2").has_value());
    // PageUpPrev (box 13) lost nothing; its default is still written.
    EXPECT_EQ(ini.GetString("Key", "PageUpPrev", ""), "$008");
    // PrevMail2 (box 24) was never bound: clearing it writes nothing.
    EXPECT_FALSE(ini.Get("Key", "PrevMail2").has_value());
}

TEST_F(KeyBoxes, BindingsReachTheFileOnlyOnOk) {
    Open("");
    KeyAssign({{kReplyPrimary, Ctrl(kVkQ)}});
    dialog_->KeyDown("EditComKey5", Plain(kVkBack + 0x6A));  // F3 (0x72)
    EXPECT_EQ(Settings(), "");
    ASSERT_TRUE(dialog_->OKBtnClick());
    IniFile ini = IniFile::Load(path());
    EXPECT_EQ(ini.GetString("Key", "Reply", ""), "$251");
    EXPECT_EQ(ini.GetString("Command", "KeyCommand5", ""), "$072");
    EXPECT_FALSE(ini.Get("Key", "ReplyWithStatus1").has_value());
}

}  // namespace
}  // namespace kestrel
