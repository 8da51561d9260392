// The main window's procedure, driven with real messages: minimum size, resize hit-testing
// and the Alt key, which must not open the window menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <ios>
#include <thread>
#include <vector>

#include "app/window_win32.h"
#include "platform/win32/handle.h"
#include "ui/scale.h"

namespace {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UiScale = 1.0f;
        instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(RegisterWindowClass(instance));
        window = CreateMainWindow(instance);
        ASSERT_NE(window, nullptr);
        GetWindowRect(window, &bounds);
    }
    void TearDown() override {
        DestroyWindow(window);
        window = nullptr;
        UnregisterClassW(kWindowClassName, instance);
        // WM_DESTROY posted the quit message; take it off this thread's queue.
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    LRESULT HitTestAt(int x, int y) const {
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    }

    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    RECT bounds{};
};

TEST_F(WindowTest, OpensAt1120By720CentredOnTheScreen) {
    EXPECT_EQ(bounds.right - bounds.left, 1120);
    EXPECT_EQ(bounds.bottom - bounds.top, 720);
    EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 1120) / 2);
    EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - 720) / 2);
}

TEST_F(WindowTest, CannotBeSizedBelow980By680) {
    MINMAXINFO info{};
    info.ptMaxTrackSize = {4000, 3000};
    EXPECT_EQ(SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ptMinTrackSize.x, 980);
    EXPECT_EQ(info.ptMinTrackSize.y, 680);
    EXPECT_EQ(info.ptMaxTrackSize.x, 4000);
}

TEST_F(WindowTest, EdgesAndCornersResize) {
    const RECT& r = bounds;
    const int midX = (r.left + r.right) / 2;
    const int midY = (r.top + r.bottom) / 2;
    const struct {
        const char* where;
        int x, y;
        LRESULT code;
    } rows[] = {
        {"3 px inside the top-left corner", r.left + 3, r.top + 3, HTTOPLEFT},
        {"top-right corner", r.right - 3, r.top + 3, HTTOPRIGHT},
        {"bottom-left corner", r.left + 3, r.bottom - 3, HTBOTTOMLEFT},
        {"bottom-right corner", r.right - 1, r.bottom - 1, HTBOTTOMRIGHT},
        {"top edge at mid-width", midX, r.top + 3, HTTOP},
        {"bottom edge", midX, r.bottom - 6, HTBOTTOM},
        {"left edge", r.left, midY, HTLEFT},
        {"right edge", r.right - 6, midY, HTRIGHT},
        {"10 px inside the left edge", r.left + 10, midY, HTCLIENT},
        {"10 px inside the right edge", r.right - 10, midY, HTCLIENT},
        {"10 px inside the top edge", midX, r.top + 10, HTCLIENT},
        {"10 px inside the bottom edge", midX, r.bottom - 10, HTCLIENT},
        {"just past the top band", midX, r.top + 6, HTCLIENT},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HitTestAt(row.x, row.y), row.code) << row.where;
    }
}

// The messages of a menu loop that this thread's windows were sent, recorded by a hook. Each
// posts what ends the loop (a cancel and an Escape, which the loop dispatches or reads), so
// that a loop that begins cannot hold the test.
std::vector<UINT> MenuLoopMessages;

LRESULT CALLBACK RecordMenuLoop(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_ENTERMENULOOP || sent->message == WM_INITMENU ||
            sent->message == WM_INITMENUPOPUP) {
            MenuLoopMessages.push_back(sent->message);
            PostMessageW(sent->hwnd, WM_CANCELMODE, 0, 0);
            PostMessageW(sent->hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// After the deadline, posts the same to the window every 100 ms until it is stopped: the last
// resort should a menu loop not end when first told.
class MenuLoopDeadline {
  public:
    MenuLoopDeadline(HWND window, DWORD milliseconds)
        : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), thread_([this, window, milliseconds] {
              if (WaitForSingleObject(done_.get(), milliseconds) != WAIT_TIMEOUT)
                  return;
              expired_ = true;
              do {
                  PostMessageW(window, WM_CANCELMODE, 0, 0);
                  PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
              } while (WaitForSingleObject(done_.get(), 100) == WAIT_TIMEOUT);
          }) {}
    ~MenuLoopDeadline() {
        SetEvent(done_.get());
        thread_.join();
    }
    MenuLoopDeadline(const MenuLoopDeadline&) = delete;
    MenuLoopDeadline& operator=(const MenuLoopDeadline&) = delete;
    bool Expired() const { return expired_; }

  private:
    const platform::win32::UniqueHandle done_;
    std::atomic<bool> expired_{false};
    std::thread thread_;
};

// Alt pressed and released alone: the default procedure turns the release into the key menu
// command (SC_KEYMENU), which would track the window menu of a window with WS_SYSMENU until
// a key or a click ends it. The program's procedure takes the command itself, so no menu
// loop begins and each message comes straight back.
TEST_F(WindowTest, AltAloneDoesNotOpenTheWindowMenu) {
    MenuLoopMessages.clear();
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, RecordMenuLoop, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr) << GetLastError();
    bool expired = false;
    {
        const MenuLoopDeadline deadline(window, 5000);
        // Scan code 0x38 with the context (Alt) bit; the release also has the previous-state
        // and transition bits.
        SendMessageW(window, WM_SYSKEYDOWN, VK_MENU, 0x20380001);
        SendMessageW(window, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001u));
        // The command itself, as the default procedure sends it for Alt alone.
        EXPECT_EQ(SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
        expired = deadline.Expired();
    }
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(expired) << "a menu loop held the thread past the 5 s deadline";
    EXPECT_TRUE(MenuLoopMessages.empty())
        << "a menu loop began: " << MenuLoopMessages.size() << " of its messages, the first 0x"
        << std::hex << (MenuLoopMessages.empty() ? 0u : MenuLoopMessages.front());
}

}  // namespace
