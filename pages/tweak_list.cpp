#include "pages/tweak_list.h"

#include <imgui.h>

#include "engine/operations.h"
#include "ui/tweak_row.h"
#include "ui/widgets.h"

void DrawTweakRow(AppState& state, const TweakEntry& entry, float width) {
    const TweakRowFacts row = {entry.id,          entry.name,
                               entry.description, static_cast<int>(entry.risk),
                               entry.reversible,  IsApplied(state, entry.id)};
    ImGui::PushID(entry.id);
    // The rest of this frame shows the state before the press; the next one shows the change.
    if (TweakRow(row, width)) {
        // The engine logs the outcome and leaves the applied set as it was on failure.
        static_cast<void>(ToggleTweak(state, entry.id));
    }
    ImGui::PopID();
}

void DrawCategoryHeader(const char* category, float width) {
    SectionHeader(category, CountInCategory(category), width);
}
