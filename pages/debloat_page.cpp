// The three debloat tweaks as stacked cards, each with its own apply or revert button. The
// removal of preinstalled packages cannot be undone, so it is applied only from a modal
// confirmation.
#include "pages/pages.h"

#include <imgui.h>

#include <array>
#include <string>

#include "engine/operations.h"
#include "state/app_state.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

struct DebloatItem {
    const char* id;
    const char* title;
    const char* description;
    const char* badge;
    bool irreversible;
};

// The page's own wording, which says more than the catalog's names and descriptions.
constexpr std::array<DebloatItem, 3> kItems = {{
    {"debloat-appx", "PREINSTALLED APPS",
     "Removes 16 unneeded Store packages for all profiles. Permanent.", "16 packages", true},
    {"debloat-services", "SIDECAR SERVICES",
     "MapsBroker, RemoteRegistry, RetailDemo, WMPNetworkSvc, Fax. State captured before.",
     "5 services", false},
    {"debloat-tasks", "TELEMETRY TASKS",
     "CEIP, Appraiser, Feedback, QueueReporting. Reversible via schtasks.", "9 tasks", false},
}};

constexpr const char* kConfirmPopup = "##confirmappx";

// Returns whether the card's button was clicked.
bool DrawItemCard(const DebloatItem& item, ImVec2 corner, float width, bool applied) {
    ImGui::SetCursorScreenPos(corner);
    ImGui::Dummy(ImVec2(width, Scaled(118)));
    DrawCard(corner, ImVec2(width, Scaled(118)), ColPanel);
    ImDrawList* drawList = ImGui::GetWindowDrawList();

    const float titleSize = Scaled(12);
    PutText(drawList, FontSemibold, titleSize, ImVec2(corner.x + Scaled(18), corner.y + Scaled(16)),
            ColAccent, item.title);
    const float titleWidth = TextSize(FontSemibold, titleSize, item.title).x;
    const ImVec2 badge(corner.x + Scaled(18) + titleWidth + Scaled(10), corner.y + Scaled(12));
    const float badgeWidth = DrawBadge(badge, item.badge, ColTextMuted, Rgba(0x23202D80));
    if (item.irreversible) {
        static_cast<void>(DrawBadge(ImVec2(badge.x + badgeWidth + Scaled(6), badge.y),
                                    "IRREVERSIBLE", ColDanger, Rgba(0xFF5C5C14)));
    }

    const std::string description =
        TruncateWithEllipsis(item.description, FontBody, 11, width - Scaled(260));
    PutText(drawList, FontBody, Scaled(11), ImVec2(corner.x + Scaled(18), corner.y + Scaled(40)),
            ColTextSecondary, description);

    ImGui::SetCursorScreenPos(
        ImVec2(corner.x + width - Scaled(18) - Scaled(150), corner.y + Scaled(66)));
    // Each card's button has the same label, so each is scoped by its tweak: a shared id
    // would let the first card's button swallow the release meant for another.
    ImGui::PushID(item.id);
    const bool clicked = applied ? StyledButton("REVERT", ColTextSecondary, ColSurface,
                                                ColSurfaceHover, ImVec2(Scaled(150), Scaled(34)))
                                 : StyledButton("APPLY", ColText, ColSurface, ColSurfaceHover,
                                                ImVec2(Scaled(150), Scaled(34)));
    ImGui::PopID();

    // The state this frame began with; a click shows from the next frame.
    PutLabel(drawList, ImVec2(corner.x + Scaled(18), corner.y + Scaled(80)),
             applied ? ColSuccess : ColTextMuted, applied ? "APPLIED" : "INACTIVE");
    return clicked;
}

void DrawConfirmation(AppState& state) {
    ImGui::SetNextWindowSize(ImVec2(Scaled(420), 0));
    if (!ImGui::BeginPopupModal(kConfirmPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize))
        return;
    TextStyled(1, 15, ColText, "Remove preinstalled apps?");
    ImGui::Dummy(ImVec2(0, Scaled(6)));
    TextStyled(0, 12, ColTextSecondary,
               "No automatic rollback.\nPackages remain recoverable via the Store.");
    ImGui::Dummy(ImVec2(0, Scaled(12)));
    if (StyledButton("CONFIRM", ColDanger, Rgba(0xFF5C5C14), Rgba(0xFF5C5C22),
                     ImVec2(Scaled(140), Scaled(34)))) {
        static_cast<void>(RemovePreinstalledApps(state));
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine(0, Scaled(8));
    if (StyledButton("CANCEL", ColTextSecondary, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(120), Scaled(34)))) {
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

}  // namespace

void DrawDebloatPage(AppState& state, ShellState&, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        const DebloatItem& item = kItems[i];
        const ImVec2 corner(origin.x, origin.y + static_cast<float>(i) * Scaled(132));
        const bool applied = IsApplied(state, item.id);
        if (!DrawItemCard(item, corner, width, applied))
            continue;
        if (!applied && item.irreversible) {
            // Opened outside the card's id scope, where the dialog below looks for it.
            ImGui::OpenPopup(kConfirmPopup);
        } else {
            static_cast<void>(ToggleTweak(state, item.id));
        }
    }
    ImGui::SetCursorScreenPos(ImVec2(origin.x, origin.y + 3 * Scaled(132)));
    ImGui::Dummy(ImVec2(1, 1));
    DrawConfirmation(state);
}
