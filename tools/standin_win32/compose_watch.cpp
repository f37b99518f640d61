#include "tools/standin_win32/compose_watch.h"

#include "tools/standin_win32/standin_window.h"

namespace kestrel::standin {

namespace {

struct Watch {
    HANDLE process;
    HWND window;
    UINT message;
    std::string* path;
};

DWORD WINAPI WaitForViewer(LPVOID param) {
    Watch* w = static_cast<Watch*>(param);
    WaitForSingleObject(w->process, INFINITE);
    CloseHandle(w->process);
    if (!PostMessageW(w->window, w->message, 0, reinterpret_cast<LPARAM>(w->path))) delete w->path;
    delete w;
    return 0;
}

}  // namespace

bool StartAndWatch(const std::string& commandLine, const std::string& composePath, HWND window,
                   UINT doneMessage) {
    HANDLE process = StartProcess(commandLine);
    if (!process) return false;
    Watch* w = new Watch{process, window, doneMessage, new std::string(composePath)};
    HANDLE thread = CreateThread(nullptr, 0, WaitForViewer, w, 0, nullptr);
    if (!thread) {
        CloseHandle(process);
        delete w->path;
        delete w;
        return true;  // started, only not watched
    }
    CloseHandle(thread);
    return true;
}

std::string TakeWatchedPath(LPARAM lp) {
    std::string* p = reinterpret_cast<std::string*>(lp);
    std::string path = p ? *p : std::string();
    delete p;
    return path;
}

}  // namespace kestrel::standin
