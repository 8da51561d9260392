// Page 2: a card for the DNS presets of the active interface and the list of the catalog's
// Network tweaks.
#include "pages/pages.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/operations.h"
#include "net/adapters.h"
#include "pages/tweak_list.h"
#include "state/text.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

constexpr const char* kDnsId = "dns";

std::string InterfaceText(const std::vector<NetAdapter>& adapters) {
    const NetAdapter* active = ActiveAdapter(adapters);
    return active != nullptr ? ToUtf8(active->Alias) : std::string("no active interface");
}

void DrawDnsCard(AppState& state, ImVec2 origin, float width) {
    const std::string interfaceText = InterfaceText(DiscoverAdapters());
    const bool applied = IsApplied(state, kDnsId);
    const auto at = [&](float x, float y) {
        return ImVec2(origin.x + Scaled(x), origin.y + Scaled(y));
    };

    ImGui::SetCursorScreenPos(origin);
    ImGui::Dummy(ImVec2(width, Scaled(200)));
    DrawCard(origin, ImVec2(width, Scaled(200)), ColPanel);
    ImDrawList* drawList = ImGui::GetWindowDrawList();
    PutText(drawList, FontSemibold, Scaled(12), at(18, 18), ColAccent, "DNS");
    PutText(drawList, FontBody, Scaled(11), at(18, 38), ColTextMuted,
            "writes on the active interface, reverts to DHCP or previous DNS.");
    PutLabel(drawList, at(18, 66), ColTextMuted, "INTERFACE");
    PutText(drawList, FontBody, Scaled(13), at(120, 63), ColText,
            TruncateWithEllipsis(interfaceText, FontBody, 13, width - Scaled(160)));
    PutLabel(drawList, at(18, 90), ColTextMuted, "STATE");
    PutText(drawList, FontBody, Scaled(13), at(120, 87), applied ? ColSuccess : ColTextSecondary,
            applied ? "preset active" : "system");

    ImGui::SetCursorScreenPos(at(18, 114));
    for (std::size_t i = 0; i < kDnsPresets.size(); ++i) {
        const DnsPreset& preset = kDnsPresets[i];
        if (i > 0)
            ImGui::SameLine(0, Scaled(8));
        if (StyledButton(preset.label, ColText, ColSurface, ColSurfaceHover,
                         ImVec2(Scaled(186), Scaled(38)))) {
            static_cast<void>(ApplyDnsPreset(state, preset));
        }
    }

    ImGui::SetCursorScreenPos(at(18, 160));
    if (StyledButton("BACK TO DHCP", ColTextSecondary, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(140), Scaled(28)))) {
        static_cast<void>(RevertDnsToDhcp(state));
    }
}

}  // namespace

void DrawNetworkPage(AppState& state, ShellState&, float width) {
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    DrawDnsCard(state, origin, width);

    const ImVec2 listTop(origin.x, origin.y + Scaled(200) + Scaled(14));
    ImGui::SetCursorScreenPos(listTop);
    const float bodyBottom = ImGui::GetWindowPos().y + ImGui::GetWindowSize().y;
    // At least a pixel: ImGui reads a zero or negative height as "fill what is left".
    const float listHeight = std::max(bodyBottom - Scaled(2) - listTop.y, 1.0f);
    ImGui::BeginChild("##netlist", ImVec2(width, listHeight), ImGuiChildFlags_None,
                      ImGuiWindowFlags_None);
    const float rowWidth = width - Scaled(12);
    DrawCategoryHeader("Network", rowWidth);
    for (const TweakEntry& entry : TweakCatalog) {
        if (std::strcmp(entry.category, "Network") != 0)
            continue;
        DrawTweakRow(state, entry, rowWidth);
    }
    ImGui::EndChild();
}
