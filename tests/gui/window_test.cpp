// The main window's procedure, driven with real messages: minimum size, resize hit-testing
// and the Alt key.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/window_win32.h"
#include "ui/shell_state.h"

namespace {

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UiScale = 1.0f;
        instance_ = GetModuleHandleW(nullptr);
        ASSERT_TRUE(RegisterWindowClass(instance_));
        ASSERT_NE(CreateMainWindow(instance_), nullptr);
        GetWindowRect(MainWindowHandle, &bounds_);
    }
    void TearDown() override {
        DestroyWindow(MainWindowHandle);
        MainWindowHandle = nullptr;
        UnregisterClassW(kWindowClassName, instance_);
        // WM_DESTROY posted the quit message; take it off this thread's queue.
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    LRESULT HitTestAt(int x, int y) const {
        return SendMessageW(MainWindowHandle, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    }

    HINSTANCE instance_ = nullptr;
    RECT bounds_{};
};

TEST_F(WindowTest, OpensAt1120By720CentredOnTheScreen) {
    EXPECT_EQ(bounds_.right - bounds_.left, 1120);
    EXPECT_EQ(bounds_.bottom - bounds_.top, 720);
    EXPECT_EQ(bounds_.left, (GetSystemMetrics(SM_CXSCREEN) - 1120) / 2);
    EXPECT_EQ(bounds_.top, (GetSystemMetrics(SM_CYSCREEN) - 720) / 2);
}

TEST_F(WindowTest, CannotBeSizedBelow980By680) {
    MINMAXINFO info{};
    info.ptMaxTrackSize = {4000, 3000};
    EXPECT_EQ(SendMessageW(MainWindowHandle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)),
              0);
    EXPECT_EQ(info.ptMinTrackSize.x, 980);
    EXPECT_EQ(info.ptMinTrackSize.y, 680);
    EXPECT_EQ(info.ptMaxTrackSize.x, 4000);
}

TEST_F(WindowTest, EdgesAndCornersResize) {
    const RECT& r = bounds_;
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

TEST_F(WindowTest, AltAloneDoesNotOpenTheWindowMenu) {
    EXPECT_EQ(SendMessageW(MainWindowHandle, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
}

}  // namespace
