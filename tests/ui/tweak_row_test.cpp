// The tweak row as a toggle in headless Dear ImGui frames over the simulated platform: a
// press applies or reverts through the engine, seen in the application state, the registry
// and the log.
#include <gtest/gtest.h>

#include <imgui.h>

#include <string>

#include "engine/catalog.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"
#include "support/headless_imgui.h"
#include "support/sim_fixture.h"
#include "ui/palette.h"
#include "ui/tweak_row.h"

namespace {

class TweakRowTest : public SimTest {
  protected:
    // Two rows one below the other in a window covering the display.
    void DrawRows() {
        HeadlessImGui::Frame([&] {
            ImGui::SetNextWindowPos(ImVec2(0, 0));
            ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
            ImGui::Begin("##list", nullptr, ImGuiWindowFlags_NoDecoration);
            ImGui::SetCursorScreenPos(ImVec2(0, 0));
            for (const char* id : {"menudelay", "debloat-appx"}) {
                ImGui::PushID(id);
                TweakRow(state, *LookupTweak(id), 800);
                ImGui::PopID();
            }
            listWindow = ImGui::GetCurrentWindow();
            ImGui::End();
        });
    }
    std::string LastLine() const {
        return state.LogEntries.empty() ? "" : state.LogEntries.back().message;
    }
    static std::optional<sim::RegistryValue> MenuShowDelay() {
        return sim::RegistryValueOf(platform::kHkeyCurrentUser, u"Control Panel\\Desktop",
                                    u"MenuShowDelay");
    }
    AppState state;
    ImGuiWindow* listWindow = nullptr;
    HeadlessImGui imgui{ImVec2(1120, 720), 1.0f};
};

TEST_F(TweakRowTest, APressAppliesAtThePressAndTheNextPressReverts) {
    // On the description, far from the switch: the whole row is the toggle.
    HeadlessImGui::MoveMouse(ImVec2(40, 40));
    DrawRows();
    HeadlessImGui::Press();
    DrawRows();
    EXPECT_TRUE(IsApplied(state, "menudelay"));
    EXPECT_EQ(LastLine(), "applied  Menu delays");
    ASSERT_TRUE(MenuShowDelay().has_value());
    // Holding the button does not toggle again.
    DrawRows();
    DrawRows();
    EXPECT_EQ(state.LogEntries.size(), 1u);
    HeadlessImGui::Release();
    DrawRows();

    HeadlessImGui::Press();
    DrawRows();
    EXPECT_FALSE(IsApplied(state, "menudelay"));
    EXPECT_EQ(LastLine(), "reverted  Menu delays");
    EXPECT_FALSE(MenuShowDelay().has_value());
    EXPECT_FALSE(IsApplied(state, "debloat-appx"));
}

TEST_F(TweakRowTest, TheSwitchFollowsTheAppliedSetFromTheNextFrame) {
    DrawRows();
    EXPECT_FALSE(HeadlessImGui::HasColour(listWindow->DrawList, ColAccent));
    state.AppliedSet.insert("menudelay");
    DrawRows();
    const ImRect track = HeadlessImGui::ColourBox(listWindow->DrawList, ColAccent);
    ASSERT_FALSE(track.IsInverted());
    // 36 × 20 pixels, 18 from the row's right end, centred in the first 56-pixel row.
    EXPECT_NEAR(track.Max.x, 800 - 18, 1.0f);
    EXPECT_NEAR(track.Min.x, 800 - 18 - 36, 1.0f);
    EXPECT_NEAR(track.Min.y, 18, 1.0f);
    EXPECT_NEAR(track.Max.y, 38, 1.0f);
}

}  // namespace
