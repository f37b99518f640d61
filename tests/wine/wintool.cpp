// Small window helper for the shell scripts that drive the Windows programs under Wine:
//   wintool wait-window TITLE [MS]    exit 0 once a visible top-level window TITLE answers
//   wintool close-window TITLE [MS]   posts WM_CLOSE to it; exit 0 once it is gone
//   wintool press-key TITLE ID VK     a key press (VK, hexadecimal) for the control ID of it
//   wintool record-file FILE LOG      appends "file FILE", then FILE's bytes (or "missing"), to
//                                     LOG: a stand-in for a user's command that reads a file
// TITLE is UTF-8; "class:NAME" names the window by its class instead. Exit 1 on time-out, 2 on
// a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "win_helpers.h"

namespace {

using kestrel::winetest::FromUtf8;

HWND Find(const std::wstring& title) {
    if (title.compare(0, 6, L"class:") == 0) return FindWindowW(title.c_str() + 6, nullptr);
    return FindWindowW(nullptr, title.c_str());
}

HWND FindVisible(const std::wstring& title) {
    using kestrel::winetest::VisibleWindow;
    if (title.compare(0, 6, L"class:") == 0) return VisibleWindow(0, title.c_str() + 6, nullptr);
    return VisibleWindow(0, nullptr, title.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: wintool wait-window|close-window TITLE [MS]\n");
        return 2;
    }
    const std::string command = argv[1];
    if (command == "record-file" && argc > 3) {
        std::ifstream in(argv[2], std::ios::binary);
        std::string bytes =
            in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
               : std::string("missing");
        std::ofstream log(argv[3], std::ios::binary | std::ios::app);
        log << "file " << argv[2] << "\r\n" << bytes;
        return log ? 0 : 1;
    }
    const std::wstring title = FromUtf8(argv[2]);
    const DWORD limit = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 20000;
    const DWORD start = GetTickCount();
    auto timedOut = [&] { return GetTickCount() - start > limit; };

    if (command == "wait-window") {
        for (;;) {
            if (HWND h = FindVisible(title)) {
                // A sent message returns only once the window's thread pumps messages again, so
                // it has finished creating and showing the window; then give painting a moment.
                DWORD_PTR result;
                if (SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) {
                    Sleep(500);
                    return 0;
                }
            }
            if (timedOut()) break;
            Sleep(100);
        }
    } else if (command == "close-window") {
        HWND h = Find(title);
        if (!h) return 1;
        PostMessageW(h, WM_CLOSE, 0, 0);
        while (IsWindow(h)) {
            if (timedOut()) return 1;
            Sleep(100);
        }
        return 0;
    } else if (command == "press-key" && argc > 4) {
        HWND h = Find(title);
        HWND control = nullptr;
        if (h) control = GetDlgItem(h, std::atoi(argv[3]));
        if (!control) return 1;
        WPARAM vk = static_cast<WPARAM>(std::strtol(argv[4], nullptr, 16));
        SendMessageW(control, WM_KEYDOWN, vk, 1);
        SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
        Sleep(500);
        return 0;
    } else {
        std::fprintf(stderr, "wintool: unknown command %s\n", command.c_str());
        return 2;
    }
    std::fprintf(stderr, "wintool: no window \"%s\" within %lu ms\n", argv[2],
                 static_cast<unsigned long>(limit));
    return 1;
}
