#include "app/application_win32.h"

#include <dwmapi.h>

#include <imgui.h>
#include <imgui_impl_dx11.h>
#include <imgui_impl_win32.h>

#include "app/com_security_win32.h"
#include "app/frame_facts.h"
#include "app/frame_loop.h"
#include "app/frame_pacing.h"
#include "app/frame_timer_win32.h"
#include "app/graphics_win32.h"
#include "app/screenshot_win32.h"
#include "app/single_instance_win32.h"
#include "app/startup.h"
#include "app/window_win32.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "platform/win32/handle.h"
#include "state/app_state.h"
#include "ui/fonts.h"
#include "shell/frame.h"
#include "ui/scale.h"
#include "ui/shell_state.h"
#include "ui/theme.h"

namespace {

constexpr HRESULT kStatusOccluded = 0x087A0001;  // DXGI_STATUS_OCCLUDED

void BecomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr)
        return;
    // Through a generic function pointer: the entry point's real type differs from FARPROC.
    const auto setContext = reinterpret_cast<SetContext>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (setContext != nullptr) {
        setContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));  // per monitor, v2
    }
}

void TakeUiScale() {
    const platform::win32::UniqueDc screen = platform::win32::ClientDc(nullptr);
    if (!screen)
        return;
    UiScale = static_cast<float>(GetDeviceCaps(screen.get(), LOGPIXELSX)) / 96.0f;
}

void SetFrameAttributes(HWND window) {
    const DWORD darkMode = 1;
    const DWORD roundCorners = 2;
    const COLORREF border = 0x33242A;
    // Older systems lack these attributes; the window works without them.
    static_cast<void>(DwmSetWindowAttribute(window, 20, &darkMode, sizeof darkMode));
    static_cast<void>(DwmSetWindowAttribute(window, 33, &roundCorners, sizeof roundCorners));
    static_cast<void>(DwmSetWindowAttribute(window, 34, &border, sizeof border));
}

HWND WindowOf(const ShellState& shell) {
    return reinterpret_cast<HWND>(shell.window);
}

class WindowsFrameHost final : public FrameHost {
  public:
    WindowsFrameHost(AppState& state, ShellState& shell, GraphicsHandles& graphics)
        : state_(state), shell_(shell), graphics_(graphics) {}
    Messages PumpMessages() override {
        Messages messages;
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            messages.any = true;
            if (message.message == WM_QUIT)
                messages.quit = true;
        }
        return messages;
    }
    std::uint64_t TickMs() override { return platform::TickCountMs(); }
    std::uint64_t NowUs() override { return PerformanceCounterUs(); }
    std::uint64_t RefreshIntervalUs() override {
        return ::RefreshIntervalUs(MonitorRefreshHertz(WindowOf(shell_)));
    }
    void Sample() override { RefreshLiveFigures(state_); }
    bool IsIconic() override { return ::IsIconic(WindowOf(shell_)) != FALSE; }
    PresentResult TestPresent() override {
        return graphics_.swapChain->Present(0, DXGI_PRESENT_TEST) == kStatusOccluded
                   ? PresentResult::Occluded
                   : PresentResult::Shown;
    }
    void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }
    BuiltFrame BuildFrame() override {
        ImGui_ImplDX11_NewFrame();
        ImGui_ImplWin32_NewFrame();
        ImGui::NewFrame();
        DrawFrame(state_, shell_);
        ImGui::Render();
        return {DrawDataSignature(*ImGui::GetDrawData()), InputActive()};
    }
    PresentResult Present() override {
        // Without a back-buffer view the frame is still presented, just not drawn.
        if (graphics_.backBufferView) {
            ID3D11RenderTargetView* target = graphics_.backBufferView.get();
            static constexpr float kClear[4] = {10 / 255.0f, 9 / 255.0f, 14 / 255.0f, 1.0f};
            graphics_.context->OMSetRenderTargets(1, &target, nullptr);
            graphics_.context->ClearRenderTargetView(target, kClear);
            ImGui_ImplDX11_RenderDrawData(ImGui::GetDrawData());
        }
        return graphics_.swapChain->Present(1, 0) == kStatusOccluded ? PresentResult::Occluded
                                                                     : PresentResult::Shown;
    }
    void WaitUntilUs(std::uint64_t deadline) override { timer_.WaitUntilUs(deadline); }
    void WaitForMessages(std::uint32_t timeoutMs) override {
        // MWMO_INPUTAVAILABLE: also a message that arrived before the wait but after the
        // last drain ends it.
        MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    void SaveScreenshot(const std::u16string& path) override {
        // A failed capture still ends the run normally.
        static_cast<void>(::SaveScreenshot(path, graphics_));
    }

  private:
    AppState& state_;
    ShellState& shell_;
    GraphicsHandles& graphics_;
    FrameTimer timer_;
};

void DestroyWindowAndClass(HINSTANCE instance, ShellState& shell) {
    UnmarkInteractiveWindow(WindowOf(shell));
    DestroyWindow(WindowOf(shell));
    shell.window = 0;
    UnregisterClassW(kWindowClassName, instance);
}

}  // namespace

int RunApplication(HINSTANCE instance) {
    const CommandLineOptions options = ParseCommandLine(platform::CommandLineArguments());
    const bool interactive = TakesInstanceLock(options);
    // Held for the life of the process: closed when this function returns, after shutdown.
    InstanceLock lock;
    if (interactive) {
        lock = TakeInstanceLock();
        if (lock.heldElsewhere) {
            ActivateRunningCopy();
            return 0;
        }
    }

    // Not before the hand-over above: it needs no COM, and it waits without pumping messages,
    // which a single-threaded apartment must not. Left on every return below, after the
    // window and its class are gone.
    const InterfaceCom com = StartInterfaceCom();
    BecomeDpiAware();
    TakeUiScale();
    RegisterWindowClass(instance);
    // The process's records: the window's shell, the application state and the graphics
    // objects, passed to everything that uses them.
    AppState state;
    ShellState shell;
    GraphicsHandles graphics;
    shell.window = reinterpret_cast<platform::WindowHandle>(CreateMainWindow(instance));
    if (shell.window == 0)
        return 1;
    // Unmarked, the window is merely not found by a later copy, which then gives up.
    if (interactive)
        static_cast<void>(MarkInteractiveWindow(WindowOf(shell)));
    SetFrameAttributes(WindowOf(shell));
    if (FAILED(CreateGraphics(WindowOf(shell), graphics))) {
        ReleaseGraphics(graphics);
        DestroyWindowAndClass(instance, shell);
        return 1;
    }
    CreateBackBufferView(graphics);
    AttachGraphics(WindowOf(shell), &graphics);
    ShowWindow(WindowOf(shell), SW_SHOWDEFAULT);
    UpdateWindow(WindowOf(shell));

    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    io.IniFilename = nullptr;
    // A blinking caret would need a frame at every blink, also while nothing else changes.
    io.ConfigInputTextCursorBlink = false;
    LoadFonts();
    ApplyTheme();
    ImGui_ImplWin32_Init(WindowOf(shell));
    ImGui_ImplDX11_Init(graphics.device.get(), graphics.context.get());

    StartSession(state, shell, options);
    if (!interactive) {
        // Reproducible pictures: no pointer hovering anything.
        SetCursorPos(0, 0);
    }

    WindowsFrameHost host(state, shell, graphics);
    RunFrameLoop(host, state, {options.screenshotPath});

    EndSession(state);
    ImGui_ImplDX11_Shutdown();
    ImGui_ImplWin32_Shutdown();
    ImGui::DestroyContext();
    AttachGraphics(WindowOf(shell), nullptr);
    ReleaseGraphics(graphics);
    DestroyWindowAndClass(instance, shell);
    return 0;
}
