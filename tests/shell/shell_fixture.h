// A main window alone on fakes, with a settings file and mail folders in a fresh temporary
// folder. The fixture stands in for the features built after the window (FormPeers), owns
// the commands nobody else owns (recorded in laterCommands) and the timer steps of the mover
// and the mail link (logged as "mover N", "update", "focus").
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
#include "viewer/shell/viewer.h"

namespace kestrel::test {

class ShellTest : public ::testing::Test, public FormPeers {
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
        form.reset();
        commands = std::make_unique<CommandRouter>();
        timer = std::make_unique<TimerSequencer>(fp.timer);
        events = std::make_unique<ViewerEvents>();
        ShellWiring wiring{*commands, *timer, *events};
        form = std::make_unique<TForm1>(fp.platform(), wiring, *this);
        for (CommandId id : ReachableCommands()) {
            if (!commands->Owned(id)) {
                commands->Register(id, "ShellTest", [this, id] { laterCommands.push_back(id); });
            }
        }
        for (int i = 0; i < 3; ++i) {
            timer->Register(TimerStep(int(TimerStep::Mover1) + i), "ShellTest",
                            [this, i] { fp.log.push_back("mover " + std::to_string(i + 1)); });
        }
        timer->Register(TimerStep::NeedsUpdate, "ShellTest", [this] {
            fp.log.push_back("update");
            timer->Start();
        });
        timer->Register(TimerStep::Focus, "ShellTest", [this] { fp.log.push_back("focus"); });
        return *form;
    }

    // FormPeers.
    void OpenFolderMail(const std::string& path) override {
        opened.push_back(path);
        fp.log.push_back("open mail: " + path);
    }
    void OpenFinchpostLink() override { fp.log.push_back("finchpost link"); }
    void SendToPlover(const std::string& macro) override { fp.log.push_back("plover: " + macro); }
    bool AskPinAtStart() override { return pinAnswer; }
    bool StartMoveMailsAtClose() override {
        fp.log.push_back("move mails");
        return true;
    }
    void DispatchKey(int vk, unsigned modifiers) override {
        fp.log.push_back("key: " + std::to_string(vk) + "/" + std::to_string(modifiers));
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
    std::unique_ptr<CommandRouter> commands;
    std::unique_ptr<TimerSequencer> timer;
    std::unique_ptr<ViewerEvents> events;
    std::unique_ptr<TForm1> form;
};

}  // namespace kestrel::test
