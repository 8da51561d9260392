// The six pages as the shell knows them, in sidebar order: the index is the ShellState's
// CurrentPage.
#pragma once

#include <array>
#include <cstddef>

#include "pages/pages.h"
#include "ui/icons.h"

struct PageEntry {
    const char* title;    // the sidebar item and the header's title
    const char* caption;  // the header's caption, before the active tweak count
    int icon;             // the sidebar item's icon
    PageFunction draw;
};

inline constexpr std::array<PageEntry, 6> kPageTable = {{
    {"Dashboard", "SYSTEM STATUS", kIconGauge, DrawDashboardPage},
    {"Tweaks", "CATALOG", kIconSliders, DrawTweaksPage},
    {"Network", "LATENCY", kIconGlobe, DrawNetworkPage},
    {"Debloat", "CLEANUP", kIconBroom, DrawDebloatPage},
    {"Profiles", "PROFILES", kIconLayers, DrawProfilesPage},
    {"Log", "SESSION", kIconTerminal, DrawSessionPage},
}};

// One column of the table, by page.
template <const char* PageEntry::*Field>
constexpr std::array<const char*, kPageTable.size()> PageColumn() {
    std::array<const char*, kPageTable.size()> column = {};
    for (std::size_t page = 0; page < kPageTable.size(); ++page)
        column[page] = kPageTable[page].*Field;
    return column;
}
inline constexpr std::array<const char*, kPageTable.size()> PageTitles =
    PageColumn<&PageEntry::title>();
inline constexpr std::array<const char*, kPageTable.size()> PageCaptions =
    PageColumn<&PageEntry::caption>();

// Nullptr for an index outside the table.
const PageEntry* PageAt(int page);
