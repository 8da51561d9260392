// Page 1: the whole catalog as one scrolling list of tweak rows under category headers, a
// free-text filter above it and a button that applies every safe tweak at once.
#include "pages/tweaks_page.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/operations.h"
#include "pages/pages.h"
#include "pages/tweak_list.h"
#include "ui/palette.h"
#include "ui/widgets.h"

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool MatchesFilter(const TweakEntry& entry, std::string_view filter) {
    if (filter.empty())
        return true;
    const std::string searched =
        LowerAscii(std::string(entry.name) + " " + entry.category + " " + entry.description);
    return searched.find(LowerAscii(filter)) != std::string::npos;
}

void DrawTweaksPage(AppState& state, ShellState& shell, float width) {
    std::array<char, kTweaksFilterCapacity>& filter = shell.filter;
    const ImVec2 origin = ImGui::GetCursorScreenPos();

    // Before the list, so that its rows already show what the click changed.
    ImGui::SetCursorScreenPos(ImVec2(origin.x + width - Scaled(126), origin.y));
    if (StyledButton("SAFE ONLY", ColText, ColSurface, ColSurfaceHover,
                     ImVec2(Scaled(126), Scaled(30)))) {
        static_cast<void>(ApplySafeSet(state));
    }

    ImGui::SetCursorScreenPos(ImVec2(origin.x, origin.y + Scaled(7)));
    TextStyled(2, 10, ColTextMuted, "FILTER");
    ImGui::SameLine(0, Scaled(10));
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(Scaled(10), Scaled(7)));
    ImGui::PushStyleVar(ImGuiStyleVar_FrameRounding, Scaled(8));
    ImGui::SetNextItemWidth(Scaled(280));
    // Edits the buffer in place; whether it changed this frame does not matter, the list
    // filters afresh every frame.
    static_cast<void>(ImGui::InputTextWithHint("##search", "name, category, keyword...",
                                               filter.data(), filter.size()));
    ImGui::PopStyleVar(2);

    const ImVec2 listTop(origin.x, origin.y + Scaled(44));
    ImGui::SetCursorScreenPos(listTop);
    const float bodyBottom = ImGui::GetWindowPos().y + ImGui::GetWindowSize().y;
    // At least a pixel: ImGui reads a zero or negative height as "fill what is left".
    const float listHeight = std::max(bodyBottom - Scaled(2) - listTop.y, 1.0f);
    ImGui::BeginChild("##list", ImVec2(width, listHeight), ImGuiChildFlags_None,
                      ImGuiWindowFlags_None);
    const auto filterEnd = std::find(filter.begin(), filter.end(), '\0');
    const std::string_view filterText(filter.data(),
                                      static_cast<std::size_t>(filterEnd - filter.begin()));
    const float rowWidth = width - Scaled(12);
    const char* lastCategory = nullptr;
    for (const TweakEntry& entry : TweakCatalog) {
        if (!MatchesFilter(entry, filterText))
            continue;
        if (lastCategory == nullptr || std::strcmp(lastCategory, entry.category) != 0) {
            DrawCategoryHeader(entry.category, rowWidth);
            lastCategory = entry.category;
        }
        DrawTweakRow(state, entry, rowWidth);
    }
    if (lastCategory == nullptr)
        TextStyled(0, 12, ColTextMuted, "no results.");
    ImGui::EndChild();
}
