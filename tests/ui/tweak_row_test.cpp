// The tweak row as a drawing in headless Dear ImGui frames: it reports a press once, at the
// press, and its switch shows what it is told.
#include <gtest/gtest.h>

#include <imgui.h>

#include <vector>

#include "support/headless_imgui.h"
#include "ui/palette.h"
#include "ui/tweak_row.h"

namespace {

class TweakRowTest : public ::testing::Test {
  protected:
    // Two rows one below the other in a window covering the display; the presses they
    // reported this frame, by row.
    std::vector<bool> DrawRows() {
        std::vector<bool> pressed;
        HeadlessImGui::Frame([&] {
            ImGui::SetNextWindowPos(ImVec2(0, 0));
            ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
            ImGui::Begin("##list", nullptr, ImGuiWindowFlags_NoDecoration);
            ImGui::SetCursorScreenPos(ImVec2(0, 0));
            for (const TweakRowFacts& row : rows) {
                ImGui::PushID(row.id);
                pressed.push_back(TweakRow(row, 800));
                ImGui::PopID();
            }
            listWindow = ImGui::GetCurrentWindow();
            ImGui::End();
        });
        return pressed;
    }
    std::vector<TweakRowFacts> rows = {
        {"menudelay", "Menu delays", "Shorter menu and hung-app timeouts.", 0, true, false},
        {"debloat-appx", "Preinstalled apps", "Removes the preinstalled packages.", 2, false,
         false}};
    ImGuiWindow* listWindow = nullptr;
    HeadlessImGui imgui{ImVec2(1120, 720), 1.0f};
};

TEST_F(TweakRowTest, APressIsReportedOnceAtThePressByTheRowUnderThePointer) {
    // On the description, far from the switch: the whole row is the toggle.
    HeadlessImGui::MoveMouse(ImVec2(40, 40));
    EXPECT_EQ(DrawRows(), (std::vector<bool>{false, false}));
    HeadlessImGui::Press();
    EXPECT_EQ(DrawRows(), (std::vector<bool>{true, false}));
    // Holding the button reports nothing more, nor does the release.
    EXPECT_EQ(DrawRows(), (std::vector<bool>{false, false}));
    HeadlessImGui::Release();
    EXPECT_EQ(DrawRows(), (std::vector<bool>{false, false}));

    HeadlessImGui::MoveMouse(ImVec2(40, 56 + 40));
    DrawRows();
    HeadlessImGui::Press();
    EXPECT_EQ(DrawRows(), (std::vector<bool>{false, true}));
    HeadlessImGui::Release();
}

TEST_F(TweakRowTest, TheSwitchShowsWhatTheRowIsTold) {
    DrawRows();
    EXPECT_FALSE(HeadlessImGui::HasColour(listWindow->DrawList, ColAccent));
    rows[0].applied = true;
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
