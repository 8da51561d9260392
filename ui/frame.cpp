#include "ui/frame.h"

#include <algorithm>

#include "ui/palette.h"
#include "ui/shell_state.h"

void DrawGlow(ImDrawList* drawList, ImVec2 center, float radius, ImU32 colour, int rings) {
    rings = std::max(rings, 1);
    const ImU32 rgb = colour & ~IM_COL32_A_MASK;
    for (int i = 0; i < rings; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(rings);
        const auto alpha = static_cast<ImU32>((0.009f + 0.009f * t) * 255.0f + 0.5f);
        drawList->AddCircleFilled(center, (1.0f - 0.82f * t) * radius,
                                  rgb | (alpha << IM_COL32_A_SHIFT), 64);
    }
}

void DrawBackdrop(ImDrawList* drawList, ImVec2 size) {
    drawList->AddRectFilled(ImVec2(0, 0), size, ColCanvas);
    DrawGlow(drawList, ImVec2(0.88f * size.x, -0.22f * size.y), 0.62f * size.y, Rgba(0xF5A5248C),
             10);
    const ImU32 fadedAccent = Rgba(0xF5A52400);
    drawList->AddRectFilledMultiColor(ImVec2(0, 0), ImVec2(0.45f * size.x, 1 * UiScale),
                                      Rgba(0xF5A5248C), fadedAccent, fadedAccent, fadedAccent);
}

void DrawFrame() {
    const ImVec2 size = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(0, 0), ImGuiCond_Always, ImVec2(0, 0));
    ImGui::SetNextWindowSize(size);
    constexpr ImGuiWindowFlags kRootFlags =
        ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
        ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse |
        ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoBringToFrontOnFocus |
        ImGuiWindowFlags_NoNavFocus;
    ImGui::Begin("##root", nullptr, kRootFlags);
    DrawBackdrop(ImGui::GetWindowDrawList(), size);
    ImGui::End();
}
