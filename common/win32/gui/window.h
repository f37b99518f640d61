// A window object behind an HWND: one registered class procedure hands every message to the
// C++ object that created the window, so each window keeps its own state and handlers instead
// of one big procedure for the whole program.
#pragma once

#include <windows.h>

#include <string>

namespace kestrel::wingui {

struct WindowClassSpec {
    const wchar_t* name = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;           // arrow when null
    HBRUSH background = nullptr;        // the 3D face colour when null
    const wchar_t* menuName = nullptr;  // menu resource
    UINT style = CS_DBLCLKS;
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Registers a class whose windows are Window objects; true when it exists afterwards (a
    // second registration of the same name is not an error).
    static bool RegisterWindowClass(const WindowClassSpec& spec);

    // Creates the window of a class registered above; null on failure.
    HWND Create(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle = 0,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int width = CW_USEDEFAULT,
                int height = CW_USEDEFAULT, HWND parent = nullptr, HMENU menu = nullptr);

    HWND hwnd() const { return hwnd_; }

    // The object behind hwnd, or null when hwnd is not one of ours.
    static Window* FromHandle(HWND hwnd);

  protected:
    // Every message of the window; the default hands it to DefWindowProc.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone (WM_NCDESTROY); hwnd() is null afterwards.
    virtual void OnDestroyed() {}

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace kestrel::wingui
