// A broken Dear ImGui rule fails the test that broke it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <imgui.h>

namespace {

class ImGuiAssertTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(1120, 720);
        // No renderer: the atlas grows on demand and its textures are never uploaded.
        io.BackendFlags |= ImGuiBackendFlags_RendererHasTextures;
        io.Fonts->AddFontDefault();
    }
    void TearDown() override { ImGui::DestroyContext(); }
};

TEST_F(ImGuiAssertTest, AFontLeftPushedFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ImGui::NewFrame();
            ImGui::PushFont(nullptr, 20.0f);
            ImGui::Render();
        },
        "Missing PopFont()");
}

TEST_F(ImGuiAssertTest, ABalancedFrameDoesNot) {
    ImGui::NewFrame();
    ImGui::PushFont(nullptr, 20.0f);
    ImGui::TextUnformatted("balanced");
    ImGui::PopFont();
    ImGui::Render();
    EXPECT_GT(ImGui::GetDrawData()->TotalVtxCount, 0);
}

}  // namespace
