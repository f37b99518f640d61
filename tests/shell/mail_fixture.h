// A whole viewer on fakes, built by the composition root as the program builds it, with a
// settings file and mail folders in a fresh temporary folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "shell/fake_dde.h"
#include "shell/shell_fixture.h"
#include "viewer/shell/viewer.h"

namespace kestrel::test {

class MailShellTest : public ShellTest {
  protected:
    MailShellTest() { dde.plover.running.insert("Plover|Command"); }

    // Creates the window (connecting to Plover) without showing it.
    TForm1& Build() {
        parts = std::make_unique<Viewer>(fp.platform(), dde.channels());
        return parts->Form();
    }
    // Creates and shows the window with the command-line arguments args.
    TForm1& Open(const std::vector<std::string>& args) {
        Build().ShowUp(args);
        return parts->Form();
    }
    // Open plus the first timer tick (the deferred settings stage).
    TForm1& OpenFully(const std::vector<std::string>& args) {
        Open(args).OnTimer1();
        return parts->Form();
    }
    TimerStep Tick() { return parts->Form().OnTimer1(); }

    // A folder mail: status line, From, Subject, Date, extra header lines, separator, body.
    std::string MakeMail(const std::string& relative, const std::string& status,
                         const std::vector<std::string>& body,
                         const std::vector<std::string>& headers = {}) {
        std::vector<std::string> lines = {"X-Status: " + status, "From: a@example.com",
                                          "Subject: test", "Date: Mon, 1 Jan 2001"};
        lines.insert(lines.end(), headers.begin(), headers.end());
        lines.push_back("----------------------------------------");
        lines.insert(lines.end(), body.begin(), body.end());
        return MakeFile(relative, lines);
    }
    // The folder file and number arguments the viewer puts into a macro for the mail at path.
    static std::string Lower(const std::string& s) { return LowerSjis(s); }

    std::vector<std::string> Sent() const { return dde.plover.executed; }

    FakeDde dde{fp.log};
    std::unique_ptr<Viewer> parts;
};

}  // namespace kestrel::test
