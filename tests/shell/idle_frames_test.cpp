// The main loop with the real frame in headless Dear ImGui over the simulated machine: the
// same scripted pointer, clock and machine, once drawing every frame and once idling, show
// the same pictures, each at most one refresh interval apart.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/restore_point.h"
#include "actions/timer_holder.h"
#include "app/frame_facts.h"
#include "app/frame_loop.h"
#include "engine/catalog.h"
#include "platform/sim/sim.h"
#include "support/headless_imgui.h"
#include "support/records.h"
#include "support/sim_fixture.h"
#include "sysinfo/snapshot.h"
#include "shell/frame.h"
#include "ui/shell_state.h"

namespace {

// A display of 333 Hz: its interval divides the sample's (501 ms), the toast's hold
// (3300 ms) and every step of the script, so that whatever the clock changes falls on a
// frame of both runs.
constexpr std::uint64_t kIntervalUs = 3'000;
constexpr std::uint64_t kStartTickMs = 100'002;
constexpr std::uint64_t kEndMs = 4'800;

// Something that happens at a time in the script, in milliseconds from the start: input,
// which reaches the program as window messages, or a change of the machine, which only the
// load sample sees.
struct Step {
    std::uint64_t atMs;
    std::function<void()> action;
    bool input = true;
};

void MoveTo(float x, float y) {
    ImGui::GetIO().AddMousePosEvent(x, y);
}

// What a user does on the Tweaks page, and what the machine does meanwhile. At scale 1 in
// 1120 × 720 the page's "SAFE ONLY" button is centred at (1029, 154), and the sidebar's
// first item at (60, 131).
std::vector<Step> Script() {
    return {
        {201, [] { MoveTo(1029, 154); }},
        {351, HeadlessImGui::Press},
        {450, HeadlessImGui::Release},  // applies the safe set: a toast until 4.75 s
        {600, [] { MoveTo(60, 131); }},
        {750, HeadlessImGui::Press},
        {849, HeadlessImGui::Release},              // on to the Dashboard
        {999, [] { MoveTo(-FLT_MAX, -FLT_MAX); }},  // the pointer leaves the window
        {1500, [] { sim::TheMachine().systemInfo.memory.totalPhysical = 32ull << 30; }, false},
    };
}

// The bytes a renderer would draw from, without the texture handles, which differ between
// two contexts.
std::string Picture(const ImDrawData& data) {
    std::string bytes;
    const auto add = [&bytes](const void* from, std::size_t size) {
        bytes.append(static_cast<const char*>(from), size);
    };
    for (const ImDrawList* list : data.CmdLists) {
        add(list->VtxBuffer.Data, list->VtxBuffer.size_in_bytes());
        add(list->IdxBuffer.Data, list->IdxBuffer.size_in_bytes());
        for (const ImDrawCmd& command : list->CmdBuffer) {
            add(&command.ClipRect, sizeof command.ClipRect);
            add(&command.VtxOffset, sizeof command.VtxOffset);
            add(&command.IdxOffset, sizeof command.IdxOffset);
            add(&command.ElemCount, sizeof command.ElemCount);
        }
    }
    return bytes;
}

struct Shown {
    std::uint64_t atUs;
    std::size_t picture;  // hash of the Picture
};

// Runs the script's input through Dear ImGui's queue as window messages would, on a clock
// that moves only when the loop presents (to the next vertical blank) or waits; building
// takes no time. Input wakes a wait for messages.
class ScriptedHost final : public FrameHost {
  public:
    explicit ScriptedHost(std::vector<Step> script) {
        for (Step& step : script)
            (step.input ? input_ : machine_).push_back(std::move(step));
    }
    std::vector<Shown> shown;

    Messages PumpMessages() override {
        Messages messages;
        while (nextInput_ < input_.size() && input_[nextInput_].atMs * 1000 <= us_) {
            input_[nextInput_++].action();
            messages.any = true;
        }
        messages.quit = us_ >= kEndMs * 1000;
        return messages;
    }
    std::uint64_t TickMs() override { return sim::TheMachine().tickMs; }
    std::uint64_t NowUs() override { return us_; }
    std::uint64_t RefreshIntervalUs() override { return kIntervalUs; }
    void Sample() override { RefreshLiveFigures(TestState()); }
    bool IsIconic() override { return false; }
    PresentResult TestPresent() override { return PresentResult::Shown; }
    void Sleep(std::uint32_t milliseconds) override { AdvanceTo(us_ + milliseconds * 1000ull); }
    BuiltFrame BuildFrame() override {
        // Dear ImGui wants time to pass between frames.
        const std::uint64_t elapsedUs = lastBuildUs_ ? us_ - *lastBuildUs_ : kIntervalUs;
        ImGui::GetIO().DeltaTime = static_cast<float>(std::max<std::uint64_t>(elapsedUs, 1)) / 1e6f;
        lastBuildUs_ = us_;
        HeadlessImGui::Frame([] { DrawFrame(TestState(), TestShell()); });
        return {DrawDataSignature(*ImGui::GetDrawData()), InputActive()};
    }
    PresentResult Present() override {
        // What a renderer does with the texture requests.
        for (ImTextureData* texture : ImGui::GetPlatformIO().Textures) {
            if (texture->Status == ImTextureStatus_WantCreate ||
                texture->Status == ImTextureStatus_WantUpdates) {
                texture->SetTexID(1);
                texture->SetStatus(ImTextureStatus_OK);
            } else if (texture->Status == ImTextureStatus_WantDestroy) {
                texture->SetTexID(ImTextureID_Invalid);
                texture->SetStatus(ImTextureStatus_Destroyed);
            }
        }
        shown.push_back({us_, std::hash<std::string>{}(Picture(*ImGui::GetDrawData()))});
        AdvanceTo((us_ / kIntervalUs + 1) * kIntervalUs);
        return PresentResult::Shown;
    }
    void WaitUntilUs(std::uint64_t deadline) override { AdvanceTo(std::max(us_, deadline)); }
    void WaitForMessages(std::uint32_t timeoutMs) override {
        std::uint64_t until = us_ + timeoutMs * 1000ull;
        if (nextInput_ < input_.size())
            until = std::min(until, std::max(us_, input_[nextInput_].atMs * 1000));
        AdvanceTo(until);
    }
    void SaveScreenshot(const std::u16string&) override {}

  private:
    void AdvanceTo(std::uint64_t us) {
        us_ = us;
        sim::TheMachine().tickMs = kStartTickMs + us_ / 1000;
        while (nextMachine_ < machine_.size() && machine_[nextMachine_].atMs * 1000 <= us_)
            machine_[nextMachine_++].action();
    }
    std::vector<Step> input_;
    std::vector<Step> machine_;
    std::size_t nextInput_ = 0;
    std::size_t nextMachine_ = 0;
    std::uint64_t us_ = 0;
    std::optional<std::uint64_t> lastBuildUs_;
};

class IdleFramesTest : public SimTest {
  protected:
    void TearDown() override {
        Fresh();
        TestShell().CurrentPage = 0;
    }
    // What the run's frames showed, on a fresh machine and interface, and what its clicks did.
    struct Outcome {
        std::vector<Shown> shown;
        std::vector<std::string> log;
        std::size_t applied = 0;
        int page = -1;
    };
    Outcome Run(bool idle) {
        Fresh();
        sim::TheMachine().tickMs = kStartTickMs;
        TakeMachineSnapshot();
        HeadlessImGui imgui(ImVec2(1120, 720), 1.0f);
        ImGui::GetIO().ConfigInputTextCursorBlink = false;
        ScriptedHost host(Script());
        RunFrameLoop(host, TestState(), {.screenshotPath = u"", .idle = idle});
        Outcome outcome{host.shown, {}, TestState().AppliedSet.size(), TestShell().CurrentPage};
        for (const LogEntry& entry : TestState().LogEntries)
            outcome.log.push_back(entry.message);
        return outcome;
    }
    // The tweaks "SAFE ONLY" applies on a fresh machine.
    static std::size_t SafeSetSize() {
        std::size_t count = 0;
        for (const TweakEntry& entry : TweakCatalog)
            count += entry.risk == RiskLevel::Safe && entry.reversible ? 1 : 0;
        return count;
    }
    void Fresh() {
        if (TimerHolderRunning.load())
            StopTimerHolder();
        SimTest::SetUp();
        TestState() = AppState{};
        TestShell().CurrentPage = 1;
        RestorePointBusy.store(false);
        RestorePointStatus.store(RestorePointOutcome::None);
    }
};

// The picture on screen at `us`: the last one presented by then.
std::size_t ScreenAt(const std::vector<Shown>& shown, std::uint64_t us) {
    const auto after = std::upper_bound(shown.begin(), shown.end(), us,
                                        [](std::uint64_t t, const Shown& s) { return t < s.atUs; });
    return after == shown.begin() ? 0 : std::prev(after)->picture;
}

TEST_F(IdleFramesTest, IdlingShowsWhatDrawingEveryFrameShowsWithinOneRefreshInterval) {
    const Outcome everyFrameRun = Run(false);
    const Outcome idleRun = Run(true);
    // Both runs saw the clicks: the first applied the safe set, the second opened the
    // Dashboard; had they missed, both runs would show still pictures alike.
    const std::string safeSetLine = "safe set : " + std::to_string(SafeSetSize()) + " tweaks";
    for (const Outcome* run : {&everyFrameRun, &idleRun}) {
        SCOPED_TRACE(run == &idleRun ? "idling" : "drawing every frame");
        EXPECT_EQ(run->log, std::vector<std::string>{safeSetLine});
        EXPECT_EQ(run->applied, SafeSetSize());
        EXPECT_EQ(run->page, 0);
    }
    const std::vector<Shown>& everyFrame = everyFrameRun.shown;
    const std::vector<Shown>& idle = idleRun.shown;
    ASSERT_FALSE(idle.empty());
    // Drawing every frame fills the run; idling draws around the clicks, the toast's fade
    // and the changed sample.
    EXPECT_EQ(everyFrame.size(), kEndMs * 1000 / kIntervalUs);
    EXPECT_LT(idle.size(), everyFrame.size() / 3);

    // The screens only change when a frame is presented: compare at every such moment.
    std::vector<std::uint64_t> moments;
    for (const auto* run : {&everyFrame, &idle}) {
        for (const Shown& s : *run)
            moments.push_back(s.atUs);
    }
    int differing = 0;
    for (const std::uint64_t t : moments) {
        const std::size_t idleScreen = ScreenAt(idle, t);
        const std::uint64_t from = t > kIntervalUs ? t - kIntervalUs : 0;
        bool seen = ScreenAt(everyFrame, from) == idleScreen;
        for (const Shown& s : everyFrame) {
            seen = seen || (s.atUs > from && s.atUs <= t + kIntervalUs && s.picture == idleScreen);
        }
        if (!seen && ++differing <= 5)
            ADD_FAILURE() << "at " << t << " us the idle run shows a picture not drawn near then";
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
