// A check run over a fake editor text and a fake library, with the messages it shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/fileio.h"
#include "support/spell_fakes.h"
#include "support/testutil.h"
#include "viewer/spell/spell_check.h"

namespace kestrel::test {

class SpellRunTest : public ::testing::Test {
  protected:
    SpellRunTest() {
        settings.basicDic = dir.File("Basic.wtr");
        // An existing user dictionary: no creation message unless a test wants one.
        WriteFileAtomic(UserDic(), "KWTR1 0\n");
        dialog.onShow = [this] { run.DialogShown(); };
    }

    void Start() { run.Start(settings); }

    // A fresh run over these lines from the top, nothing selected.
    void Restart(std::vector<std::string> lines) {
        text.lines = std::move(lines);
        text.SetSelection(0, 0);
        messages.clear();
        dialog.model = {};
        lib.lookedUp.clear();
        Start();
    }

    // The words a scan of these lines looks up, with every word known. A last empty line is
    // added: the editor's last line is never looked at.
    std::vector<std::string> WordsOf(std::vector<std::string> lines) {
        lines.push_back("");
        text.lines = lines;
        text.SetSelection(0, 0);
        lib.allKnown = true;
        lib.lookedUp.clear();
        Start();
        return lib.lookedUp;
    }

    std::string UserDic() const { return dir.File("UserDic.wtr"); }
    std::string AddedList() const { return dir.File("UserDic.txt"); }

    TempDir dir;
    FakeSpellText text;
    FakeLibraryScript lib;
    FakeSpellLoader loader{lib};
    FakeSpellDialog dialog;
    std::vector<std::string> messages;
    SpellCheckRun run{
        SpellPorts{text, loader, dialog, [this](std::string_view m) { messages.emplace_back(m); }}};
    SpellSettings settings;
};

using Words = std::vector<std::string>;

}  // namespace kestrel::test
