// The window layer that the programs' windows are built on.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/gui/messages.h"
#include "common/win32/gui/window.h"

namespace {

constexpr UINT kPing = WM_APP + 1;

class Recorder : public kestrel::wingui::Window {
  public:
    explicit Recorder(int id) : id_(id) {}
    std::vector<UINT> seen;
    bool destroyed = false;
    bool boundAtCreate = false;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CREATE) boundAtCreate = hwnd() != nullptr;
        if (msg == kPing) {
            seen.push_back(msg);
            return id_;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }
    void OnDestroyed() override { destroyed = true; }

  private:
    int id_;
};

bool RegisterTestClass() {
    kestrel::wingui::WindowClassSpec spec;
    spec.name = L"KestrelTestWindow";
    return kestrel::wingui::Window::RegisterWindowClass(spec);
}

TEST(WindowLayer, EachWindowReachesTheObjectThatCreatedIt) {
    ASSERT_TRUE(RegisterTestClass());
    ASSERT_TRUE(RegisterTestClass()) << "registering the same class twice must not fail";
    Recorder a(1), b(2);
    ASSERT_TRUE(a.Create(L"KestrelTestWindow", L"a", WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(b.Create(L"KestrelTestWindow", L"b", WS_OVERLAPPEDWINDOW));
    EXPECT_TRUE(a.boundAtCreate) << "WM_CREATE must already see its window handle";
    EXPECT_EQ(SendMessageW(a.hwnd(), kPing, 0, 0), 1);
    EXPECT_EQ(SendMessageW(b.hwnd(), kPing, 0, 0), 2);
    EXPECT_EQ(kestrel::wingui::Window::FromHandle(b.hwnd()), &b);
    EXPECT_EQ(a.seen.size(), 1u);
    EXPECT_EQ(b.seen.size(), 1u);
}

TEST(WindowLayer, DestroyedWindowDetachesFromItsObject) {
    ASSERT_TRUE(RegisterTestClass());
    Recorder r(7);
    HWND h = r.Create(L"KestrelTestWindow", L"r", WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(h);
    DestroyWindow(h);
    EXPECT_TRUE(r.destroyed);
    EXPECT_EQ(r.hwnd(), nullptr);
    EXPECT_FALSE(IsWindow(h));
}

TEST(WindowLayer, ObjectDestroyedFirstTakesItsWindowAlong) {
    ASSERT_TRUE(RegisterTestClass());
    HWND h;
    {
        Recorder r(3);
        h = r.Create(L"KestrelTestWindow", L"r", WS_OVERLAPPEDWINDOW);
        ASSERT_TRUE(h);
    }
    EXPECT_FALSE(IsWindow(h));
}

TEST(TypedMessages, TextRoundTripsJapaneseAndEmpty) {
    ASSERT_TRUE(RegisterTestClass());
    Recorder r(0);
    ASSERT_TRUE(r.Create(L"KestrelTestWindow", L"", WS_OVERLAPPEDWINDOW));
    for (const std::wstring& text :
         {std::wstring(L"Kestrel32 - [Untitled]"), std::wstring(L"基本 表示 エディタ ｶﾅ"),
          std::wstring(), std::wstring(600, L'字')}) {
        kestrel::wingui::SetText(r.hwnd(), text);
        EXPECT_EQ(kestrel::wingui::GetText(r.hwnd()), text);
    }
}

TEST(TypedMessages, IconSetReturnsThePreviousOne) {
    ASSERT_TRUE(RegisterTestClass());
    Recorder r(0);
    ASSERT_TRUE(r.Create(L"KestrelTestWindow", L"", WS_OVERLAPPEDWINDOW));
    HICON first = LoadIconW(nullptr, IDI_APPLICATION);
    HICON second = LoadIconW(nullptr, IDI_WARNING);
    using kestrel::wingui::IconSize;
    EXPECT_EQ(kestrel::wingui::SetIcon(r.hwnd(), IconSize::Big, first), nullptr);
    EXPECT_EQ(kestrel::wingui::SetIcon(r.hwnd(), IconSize::Big, second), first);
    EXPECT_EQ(kestrel::wingui::GetIcon(r.hwnd(), IconSize::Big), second);
    EXPECT_EQ(kestrel::wingui::GetIcon(r.hwnd(), IconSize::Small), nullptr);
}

}  // namespace
