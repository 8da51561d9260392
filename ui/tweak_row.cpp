#include "ui/tweak_row.h"

#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

struct RiskBadge {
    const char* text;
    ImU32 textColour;
    ImU32 fill;
};

RiskBadge BadgeOf(int risk) {
    switch (risk) {
        case 0:
            return {"SAFE", ColSuccess, Rgba(0x37E08B12)};
        case 1:
            return {"ADV", ColAccent, Rgba(0xF5A52416)};
        default:
            return {"RISKY", ColDanger, Rgba(0xFF5C5C14)};
    }
}

}  // namespace

bool TweakRow(const TweakRowFacts& entry, float width) {
    const ImVec2 p = ImGui::GetCursorScreenPos();
    const float height = Scaled(56);
    ImGui::InvisibleButton(entry.id, ImVec2(width, height));
    const bool hovered = ImGui::IsItemHovered();
    const bool clicked = ImGui::IsItemClicked(ImGuiMouseButton_Left);
    const bool applied = entry.applied;
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    if (hovered)
        drawList->AddRectFilled(p, ImVec2(p.x + width, p.y + height), ColSurface, Scaled(8));
    drawList->AddLine(ImVec2(p.x + Scaled(2), p.y + height),
                      ImVec2(p.x + width - Scaled(2), p.y + height), Rgba(0xFFFFFF0A), 1.0f);
    const float x0 = p.x + Scaled(2);
    PutText(drawList, FontSemibold, Scaled(13), ImVec2(x0, p.y + Scaled(11)),
            applied ? ColText : Rgba(0xD2D2DAFF), entry.name);
    const RiskBadge risk = BadgeOf(entry.risk);
    const ImVec2 badge(x0 + Scaled(194), p.y + Scaled(10));
    const float badgeWidth = DrawBadge(badge, risk.text, risk.textColour, risk.fill);
    if (!entry.reversible) {
        static_cast<void>(DrawBadge(ImVec2(badge.x + badgeWidth + Scaled(6), badge.y), "IRREV",
                                    ColTextMuted, Rgba(0x23202D80)));
    }
    const std::string description =
        TruncateWithEllipsis(entry.description, FontBody, 11, width - Scaled(140));
    PutText(drawList, FontBody, Scaled(11), ImVec2(x0, p.y + Scaled(32)), ColTextSecondary,
            description);
    const ImVec2 track(p.x + width - Scaled(18) - Scaled(36), p.y + (height - Scaled(20)) / 2);
    drawList->AddRectFilled(track, ImVec2(track.x + Scaled(36), track.y + Scaled(20)),
                            applied ? ColAccent : ColSurfaceHover, Scaled(10));
    const float knobX = applied ? track.x + Scaled(36) - Scaled(10) : track.x + Scaled(10);
    drawList->AddCircleFilled(ImVec2(knobX, track.y + Scaled(10)), Scaled(6),
                              applied ? Rgba(0x0D0A05FF) : Rgba(0xBAB8C6FF));
    return clicked;
}
