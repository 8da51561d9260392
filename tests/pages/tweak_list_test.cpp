// A catalog tweak's row in a list, in headless Dear ImGui frames over the simulated
// platform: a press applies or reverts through the engine, seen in the application state,
// the registry and the log.
#include <gtest/gtest.h>

#include <imgui.h>

#include <string>

#include "engine/catalog.h"
#include "pages/tweak_list.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"
#include "support/headless_imgui.h"
#include "support/sim_fixture.h"

namespace {

class TweakListTest : public SimTest {
  protected:
    // Two rows one below the other in a window covering the display.
    void DrawRows() {
        HeadlessImGui::Frame([&] {
            ImGui::SetNextWindowPos(ImVec2(0, 0));
            ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
            ImGui::Begin("##list", nullptr, ImGuiWindowFlags_NoDecoration);
            ImGui::SetCursorScreenPos(ImVec2(0, 0));
            for (const char* id : {"menudelay", "debloat-appx"})
                DrawTweakRow(state, *LookupTweak(id), 800);
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
    HeadlessImGui imgui{ImVec2(1120, 720), 1.0f};
};

TEST_F(TweakListTest, APressAppliesAtThePressAndTheNextPressReverts) {
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

}  // namespace
