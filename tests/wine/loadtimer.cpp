// Times how long a program takes to show a file, seen from outside as a user sees it:
//   loadtimer TITLE EDITCLASS TIMEOUT_MS PROGRAM [ARGS...]
// starts PROGRAM ARGS and prints, in milliseconds from the start,
//   title=N    a visible top-level window of the process has the title TITLE (UTF-8; a
//              final "*" matches any rest)
//   screen=N   its EDITCLASS child holds text, nothing covers it and the window answers
//              messages (so what is on screen is painted and readable)
//   whole=N    the child's text length stopped growing (the last change; judged after it
//              stayed the same for a second)
//   chars=N    that final text length
//   peak_kb=N  the process's peak working set
// then closes the program. Exit 1 when a stage was not reached within TIMEOUT_MS.
#include <windows.h>
// After windows.h.
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win_helpers.h"

namespace {

using kestrel::winetest::FromUtf8;

struct ChildSearch {
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK FindChildByClass(HWND h, LPARAM param) {
    auto* s = reinterpret_cast<ChildSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    if (lstrcmpiW(name, s->cls) == 0) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

HWND ChildOf(HWND top, const std::wstring& cls) {
    ChildSearch s{cls.c_str(), nullptr};
    EnumChildWindows(top, &FindChildByClass, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Nothing visible lies over the middle of the child's upper part (the first lines).
bool Uncovered(HWND child) {
    RECT rc{};
    if (!IsWindowVisible(child) || !GetWindowRect(child, &rc)) return false;
    POINT pt{(rc.left + rc.right) / 2, rc.top + (rc.bottom - rc.top) / 8};
    HWND parent = GetParent(child);
    ScreenToClient(parent, &pt);
    HWND hit = ChildWindowFromPointEx(parent, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return hit == child;
}

double Now(LARGE_INTEGER start, LARGE_INTEGER freq) {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart - start.QuadPart) /
           static_cast<double>(freq.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: loadtimer TITLE EDITCLASS TIMEOUT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::wstring title = FromUtf8(argv[1]);
    const std::wstring editClass = FromUtf8(argv[2]);
    const double limit = std::atof(argv[3]);
    std::wstring command;
    for (int i = 4; i < argc; ++i) {
        if (i > 4) command += L' ';
        command += L'"' + FromUtf8(argv[i]) + L'"';
    }

    LARGE_INTEGER freq, start;
    QueryPerformanceFrequency(&freq);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "loadtimer: cannot start %s\n", argv[4]);
        return 2;
    }

    double titleAt = -1, screenAt = -1, wholeAt = -1, lastChange = -1;
    LRESULT lastLength = -1;
    HWND top = nullptr, edit = nullptr;
    for (;;) {
        double now = Now(start, freq);
        if (now > limit) break;
        if (!top) top = kestrel::winetest::VisibleWindow(pi.dwProcessId, nullptr, nullptr, true);
        if (top && titleAt < 0) {
            wchar_t text[512] = {};
            // Read from the window manager's copy: a busy program still has its title read.
            InternalGetWindowText(top, text, 512);
            std::wstring shown = text;
            bool prefix = !title.empty() && title.back() == L'*';
            if (prefix ? shown.compare(0, title.size() - 1, title, 0, title.size() - 1) == 0
                       : shown == title)
                titleAt = now;
        }
        if (top && !edit) edit = ChildOf(top, editClass);
        if (edit) {
            DWORD_PTR length = 0;
            // Answered only while the program pumps messages: a busy program shows nothing new.
            if (SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 50, &length)) {
                auto n = static_cast<LRESULT>(length);
                if (n != lastLength) {
                    lastLength = n;
                    lastChange = now;
                }
                if (screenAt < 0 && titleAt >= 0 && n > 0 && Uncovered(edit)) screenAt = now;
                if (screenAt >= 0 && now - lastChange >= 1000) {
                    wholeAt = lastChange < screenAt ? screenAt : lastChange;
                    break;
                }
            }
        }
        Sleep(10);
    }

    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    std::printf("title=%.0f\nscreen=%.0f\nwhole=%.0f\nchars=%ld\npeak_kb=%lu\n", titleAt, screenAt,
                wholeAt, static_cast<long>(lastLength),
                static_cast<unsigned long>(pmc.PeakWorkingSetSize / 1024));
    if (top) PostMessageW(top, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return wholeAt >= 0 ? 0 : 1;
}
