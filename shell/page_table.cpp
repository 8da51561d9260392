#include "shell/page_table.h"

#include "ui/icons.h"

const std::array<PageEntry, 6> kPageTable = {{
    {"Dashboard", "SYSTEM STATUS", kIconGauge, DrawDashboardPage},
    {"Tweaks", "CATALOG", kIconSliders, DrawTweaksPage},
    {"Network", "LATENCY", kIconGlobe, DrawNetworkPage},
    {"Debloat", "CLEANUP", kIconBroom, DrawDebloatPage},
    {"Profiles", "PROFILES", kIconLayers, DrawProfilesPage},
    {"Log", "SESSION", kIconTerminal, DrawSessionPage},
}};

const PageEntry* PageAt(int page) {
    if (page < 0 || page >= static_cast<int>(kPageTable.size()))
        return nullptr;
    return &kPageTable[static_cast<std::size_t>(page)];
}
