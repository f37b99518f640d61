// Stand-in of the mail client (plovermail.exe) or, built with KESTREL_FINCHPOST, of the second
// mail client (finchpost.exe). It serves the DDE "Command" topic, logs every macro it receives,
// carries them out on the folder directories and answers View with [open("path")] on the
// viewer's "system" topic.
//
//   plovermail.exe [/log FILE] [/viewer EXE] [/temp DIR] [/view-delay MS] [/no-view-answer]
//                  [MAILFILE]
//
// Each log line starts with the time the macro arrived (macro_log.h); the client's own notes
// (the open it answered with, a move that failed) follow as "! ..." lines.
#include <windows.h>

#include <deque>
#include <string>

#include "common/fileio.h"
#include "tools/standin/compose_file.h"
#include "tools/standin/macro.h"
#include "tools/standin/macro_log.h"
#include "tools/standin/plover_model.h"
#include "tools/standin_win32/compose_watch.h"
#include "tools/standin_win32/dde_server.h"
#include "tools/standin_win32/standin_window.h"
#include "tools/standin_win32/view_answer.h"

namespace kestrel::standin {
namespace {

#ifdef KESTREL_FINCHPOST
constexpr char kService[] = "Finchpost";
constexpr char kClass[] = "TfrmFINCHPOSTMain";
constexpr char kTitle[] = "Finchpost";
constexpr char kLogName[] = "finchpost.log";
#else
constexpr char kService[] = "Plover";
constexpr char kClass[] = "PloverStandInMain";
constexpr char kTitle[] = "Plover";
constexpr char kLogName[] = "plovermail.log";
#endif
constexpr UINT kMacroArrived = WM_APP + 1;
constexpr UINT kComposeClosed = WM_APP + 2;  // the viewer on a compose file has exited

struct State {
    std::string logPath;
    std::string viewerExe;
    std::string viewerService;  // the viewer's file name without extension
    PloverModel* model = nullptr;
    DdeServer server;
    std::deque<std::string> queue;
    HWND window = nullptr;
    ViewAnswerPolicy viewAnswer;
} g;

void Note(const std::string& text) {
    AppendLogLine(g.logPath, LogLineNow("! " + text));
}

// The answer to View: [open("path")] on the viewer's topic, as the policy says.
void AnswerOpen(const std::string& path) {
    const std::string macro = "[open(\"" + path + "\")]";
    const bool queued = AnswerView(g.window, g.viewAnswer, [macro] {
        bool sent = g.server.SendExecute(g.viewerService, "system", macro, 2000, 2000);
        Note((sent ? "answered " : "answer not taken: ") + macro);
    });
    if (!queued) Note("no answer to View: " + macro);
}

void ShowFolder() {
    std::vector<std::string> lines;
    if (!g.model->currentFolder().empty()) {
        lines.push_back(g.model->currentFolder());
        for (const auto& p : PloverModel::MailsOf(g.model->currentFolder()))
            lines.push_back("  " + FileNameOf(p));
    }
    SetListLines(g.window, lines);
}

void Carry(const std::string& text) {
    for (const Macro& m : ParseMacros(text)) {
        PloverAction act = g.model->Execute(m);
        for (const std::string& note : act.notes) Note(note);
        if (!act.openPath.empty()) AnswerOpen(act.openPath);
        if (!act.startViewerOn.empty())
            StartAndWatch("\"" + g.viewerExe + "\" \"" + act.startViewerOn + "\"",
                          act.startViewerOn, g.window, kComposeClosed);
    }
    ShowFolder();
}

LRESULT OnAppMessage(HWND, UINT msg, WPARAM, LPARAM lp) {
    if (msg == kMacroArrived) {
        while (!g.queue.empty()) {
            std::string macro = std::move(g.queue.front());
            g.queue.pop_front();
            Carry(macro);
        }
    } else if (msg == kComposeClosed) {
        // What the viewer's Save and Quit left in the compose file, byte for byte.
        AppendLogLine(g.logPath, SavedComposeLogLine(TakeWatchedPath(lp)));
    } else if (msg == WM_DESTROY) {
        g.server.Stop();
    }
    return 0;
}

}  // namespace
}  // namespace kestrel::standin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kestrel;
    using namespace kestrel::standin;
    std::string temp = TempDir(), mailFile;
    g.viewerExe = ModuleDir() + "kestrel.exe";
    g.logPath = ModuleDir() + kLogName;
    std::vector<std::string> args = CommandLineArgs();
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "/log" && i + 1 < args.size())
            g.logPath = args[++i];
        else if (args[i] == "/viewer" && i + 1 < args.size())
            g.viewerExe = args[++i];
        else if (args[i] == "/temp" && i + 1 < args.size())
            temp = args[++i];
        else if (TakeViewAnswerArg(args, i, g.viewAnswer))
            continue;
        else
            mailFile = args[i];
    }
    if (!temp.empty() && temp.back() != '\\') temp += '\\';
    std::string viewerName = FileNameOf(g.viewerExe);
    g.viewerService = viewerName.substr(0, viewerName.rfind('.'));

    PloverModel model(temp);
    g.model = &model;
    g.window = CreateListWindow(kClass, kTitle, OnAppMessage);
    if (!g.window) return 1;
    if (!g.server.Start(kService, "Command", [](const std::string& macro) {
            AppendLogLine(g.logPath, LogLineNow(macro));
            g.queue.push_back(macro);
            PostMessageW(g.window, kMacroArrived, 0, 0);
        }))
        return 2;
    if (!mailFile.empty()) {  // started on a mail: that mail is the current one
        std::string name = FileNameOf(mailFile);
        std::string dir = DirectoryOf(mailFile);
        if (!dir.empty()) dir.pop_back();
        model.Execute(Macro{"Focus", {dir + ".fld", name.substr(0, 4)}});
    }
    ShowFolder();
    return RunMessageLoop();
}
