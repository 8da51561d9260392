// The four profiles as a two-by-two grid of cards: how much of each is applied now, a
// button that applies it and one that leads to the Tweaks page.
#include "pages/profiles_page.h"

#include <array>
#include <cstdio>
#include <string>

#include "engine/operations.h"
#include "engine/profiles.h"
#include "pages/pages.h"
#include "state/app_state.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/shell_state.h"
#include "ui/widgets.h"

namespace {

struct ProfileCard {
    std::string_view name;  // the key into the profile table
    std::string_view description;
};

// The page's own descriptions, in grid order.
constexpr std::array<ProfileCard, 4> kCards = {{
    {"Competitive", "Minimum latency, capture off, network prioritized."},
    {"Balanced", "Clean gains, system services untouched."},
    {"Laptop", "Battery and thermals, no aggressive tweak."},
    {"Streamer", "Stable OBS, MMCSS and network prioritized."},
}};

}  // namespace

void DrawProfileCard(AppState& state, ShellState& shell, std::string_view name,
                     std::string_view description, ImVec2 corner, float cardWidth) {
    const float height = Scaled(172);
    ImGui::SetCursorScreenPos(corner);
    ImGui::Dummy(ImVec2(cardWidth, height));
    DrawCard(corner, ImVec2(cardWidth, height), ColPanel);

    int total = 0;
    int applied = 0;
    for (const std::string_view id : ProfileTweaks(name)) {
        ++total;
        applied += IsApplied(state, id) ? 1 : 0;
    }

    ImDrawList* drawList = ImGui::GetWindowDrawList();
    const float left = corner.x + Scaled(18);
    PutText(drawList, FontSemibold, Scaled(14), ImVec2(left, corner.y + Scaled(16)), ColText, name);
    PutText(drawList, FontBody, Scaled(11), ImVec2(left, corner.y + Scaled(40)), ColTextSecondary,
            TruncateWithEllipsis(description, FontBody, 11, cardWidth - Scaled(36)));

    char counter[64];
    std::snprintf(counter, sizeof counter, "%d / %d", applied, total);
    const float counterSize = Scaled(22);
    PutText(drawList, FontSemibold, counterSize, ImVec2(left, corner.y + Scaled(64)), ColText,
            counter);
    const float counterWidth = TextSize(FontSemibold, counterSize, counter).x;
    PutLabel(drawList, ImVec2(left + counterWidth + Scaled(8), corner.y + Scaled(73)), ColTextMuted,
             "TWEAKS");

    const float trackWidth = cardWidth - Scaled(36);
    drawList->AddRectFilled(ImVec2(left, corner.y + Scaled(102)),
                            ImVec2(left + trackWidth, corner.y + Scaled(106)), ColBorder,
                            Scaled(2));
    if (total > 0) {
        const float fill = static_cast<float>(applied) / static_cast<float>(total) * trackWidth;
        // Narrower than its rounding, the bar would not look like a bar.
        if (fill > Scaled(2)) {
            drawList->AddRectFilled(ImVec2(left, corner.y + Scaled(102)),
                                    ImVec2(left + fill, corner.y + Scaled(106)), ColAccent,
                                    Scaled(2));
        }
    }

    // Every card has the same two labels: scoped by the name, each button keeps its own id.
    ImGui::PushID(name.data(), name.data() + name.size());
    ImGui::SetCursorScreenPos(ImVec2(left, corner.y + Scaled(122)));
    if (StyledButton("APPLY", ColText, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(132), Scaled(32)))) {
        // The engine logs the outcome and saves the state; an unknown name changes nothing.
        static_cast<void>(ApplyProfileTweaks(state, name));
    }
    ImGui::SetCursorScreenPos(ImVec2(corner.x + Scaled(158), corner.y + Scaled(122)));
    if (StyledButton("VIEW", ColTextSecondary, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(90), Scaled(32)))) {
        shell.CurrentPage = 1;
    }
    ImGui::PopID();
}

void DrawProfilesPage(AppState& state, ShellState& shell, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    const float cardWidth = (width - Scaled(14)) / 2;
    const float cardHeight = Scaled(172);
    for (std::size_t i = 0; i < kCards.size(); ++i) {
        const float column = static_cast<float>(i % 2);
        const float row = static_cast<float>(i / 2);
        const ImVec2 corner(origin.x + column * (cardWidth + Scaled(14)),
                            origin.y + row * (cardHeight + Scaled(14)));
        DrawProfileCard(state, shell, kCards[i].name, kCards[i].description, corner, cardWidth);
    }
    ImGui::SetCursorScreenPos(ImVec2(origin.x, origin.y + 2 * (cardHeight + Scaled(14))));
    ImGui::Dummy(ImVec2(1, 1));
}
