#include "shell/toast.h"

#include <algorithm>

#include "platform/clock.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

std::optional<ToastAlphas> ToastAlphasAt(std::uint64_t ageMs) {
    if (ageMs > kToastHoldMs + kToastFadeMs)
        return std::nullopt;
    const float alpha = ageMs <= kToastHoldMs ? 1.0f
                                              : 1.0f - static_cast<float>(ageMs - kToastHoldMs) /
                                                           static_cast<float>(kToastFadeMs);
    const float opacity = std::max(alpha, 0.0f) * 255.0f;
    return ToastAlphas{static_cast<int>(opacity), static_cast<int>(opacity + 0.5f)};
}

ImU32 ToastBarColour(LogKind kind) {
    switch (kind) {
        case LogKind::Error:
            return ColDanger;
        case LogKind::Success:
            return ColSuccess;
        default:
            return ColAccent;
    }
}

void DrawToast(const AppState& state, float width, float height) {
    if (state.LastTick == 0)
        return;
    const std::optional<ToastAlphas> alphas =
        ToastAlphasAt(platform::TickCountMs() - state.LastTick);
    if (!alphas)
        return;
    PushUiFont(2, 11);
    const ImVec2 textSize = ImGui::CalcTextSize(state.LastMessage.c_str(), nullptr, false, -1.0f);
    PopUiFont();
    const float boxHeight = Scaled(40);
    const ImVec2 p(width - Scaled(24) - (Scaled(44) + textSize.x), height - Scaled(80));
    const ImVec2 end(width - Scaled(24), p.y + boxHeight);
    ImDrawList* drawList = ImGui::GetForegroundDrawList();
    const float rounding = Scaled(10);
    const auto text = static_cast<ImU32>(alphas->text);
    const auto box = static_cast<ImU32>(alphas->box);
    drawList->AddRectFilled(p, end, WithAlpha(ColSurface, box), rounding);
    drawList->AddRect(p, end, WithAlpha(ColBorder, box), rounding, 0, 1.0f);
    drawList->AddRectFilled(p, ImVec2(p.x + Scaled(3), end.y),
                            WithAlpha(ToastBarColour(state.LastKind), text), Scaled(1.5f));
    PutText(drawList, FontLabel, Scaled(11),
            ImVec2(p.x + Scaled(18), p.y + (boxHeight - textSize.y) / 2), WithAlpha(ColText, text),
            state.LastMessage);
}
