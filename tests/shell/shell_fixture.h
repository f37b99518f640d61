// A main window on fakes, with a settings file and mail folders in a fresh temporary folder.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/fileio.h"
#include "common/ini.h"
#include "shell/fakes.h"
#include "support/testutil.h"
#include "viewer/shell/form1.h"

namespace kestrel::test {

class ShellTest : public ::testing::Test {
  protected:
    ShellTest() { fp.environment.programPath = dir.File("kestrel.exe"); }

    std::string SettingsFile() const { return dir.File("kestrel.ini"); }
    void WriteSettings(const std::string& text) { WriteFileAtomic(SettingsFile(), text); }
    // The value the settings file holds now, "<none>" when missing.
    std::string Setting(std::string_view section, std::string_view key) const {
        return IniFile::Load(SettingsFile()).GetString(section, key, "<none>");
    }
    // Writes a file (lines ended by CR LF), making its folders.
    std::string MakeFile(const std::string& relative, const std::vector<std::string>& lines) {
        std::string path = dir.File(relative);
        std::filesystem::create_directories(DirectoryOf(path));
        WriteLinesAtomic(path, lines);
        return path;
    }

    TForm1& Make() {
        ShellHooks h;
        h.openFolderMail = [this](const std::string& path) {
            opened.push_back(path);
            fp.log.push_back("open mail: " + path);
        };
        h.sendToPlover = [this](const std::string& macro) { fp.log.push_back("plover: " + macro); };
        h.sendFocus = [this] { fp.log.push_back("focus"); };
        h.sendUpdate = [this] { fp.log.push_back("update"); };
        h.askPinAtStart = [this] { return pinAnswer; };
        h.startMoveMails = [this] { fp.log.push_back("move mails"); };
        h.command = [this](CommandId id) {
            laterCommands.push_back(id);
            return true;
        };
        form = std::make_unique<TForm1>(fp.platform(), h);
        return *form;
    }
    TForm1& Start(const std::vector<std::string>& args) {
        Make();
        form->ShowUp(args);
        return *form;
    }
    // Start plus the first timer tick.
    TForm1& StartFully(const std::vector<std::string>& args) {
        Start(args);
        form->OnTimer1();
        return *form;
    }

    std::vector<std::string> LogWith(std::string_view prefix) const {
        std::vector<std::string> out;
        for (const auto& e : fp.log) {
            if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
        }
        return out;
    }

    TempDir dir;
    FakePlatform fp;
    std::vector<std::string> opened;
    std::vector<CommandId> laterCommands;
    bool pinAnswer = false;
    std::unique_ptr<TForm1> form;
};

}  // namespace kestrel::test
