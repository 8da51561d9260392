#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/catalog.h"

namespace {

TEST(Catalog, HoldsTheTweaksInDisplayOrder) {
    const std::vector<std::string> expected = {
        "gamedvr",      "gamebar",          "fso",          "hags",         "gamemode",  "priority",
        "visualfx",     "transparency",     "menudelay",    "startupdelay", "powerplan", "timerres",
        "hibernate",    "mouseaccel",       "nagle",        "netthrottle",  "mmcss",     "tcptune",
        "dns",          "telemetry",        "diagtrack",    "feedback",     "activity",  "adid",
        "debloat-appx", "debloat-services", "debloat-tasks"};
    std::vector<std::string> ids;
    for (const TweakEntry& entry : TweakCatalog)
        ids.push_back(entry.id);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
}

TEST(Catalog, CategoriesAreContiguousRunsInOrder) {
    std::vector<std::string> runs;
    for (const TweakEntry& entry : TweakCatalog) {
        if (runs.empty() || runs.back() != entry.category)
            runs.push_back(entry.category);
    }
    EXPECT_EQ(runs, (std::vector<std::string>{"Graphics", "System", "Input", "Network", "Privacy",
                                              "Debloat"}));
}

TEST(Catalog, CountsByCategoryAndRisk) {
    const std::pair<const char*, int> categories[] = {
        {"Graphics", 4}, {"System", 9},  {"Input", 1},  {"Network", 5},
        {"Privacy", 5},  {"Debloat", 3}, {"system", 0}, {"", 0}};
    for (const auto& [category, count] : categories) {
        EXPECT_EQ(CountInCategory(category), count) << category;
    }
    std::map<RiskLevel, int> risks;
    for (const TweakEntry& entry : TweakCatalog)
        ++risks[entry.risk];
    EXPECT_EQ(risks[RiskLevel::Safe], 14);
    EXPECT_EQ(risks[RiskLevel::Adv], 12);
    EXPECT_EQ(risks[RiskLevel::Risky], 1);
}

TEST(Catalog, LookupIsExact) {
    const TweakEntry* found = LookupTweak("gamedvr");
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->name, "Game DVR");
    EXPECT_EQ(found, &TweakCatalog[0]);
    for (const char* miss : {"GameDVR", "gamedvr ", " gamedvr", "", "gamedv"}) {
        EXPECT_EQ(LookupTweak(miss), nullptr) << '"' << miss << '"';
    }
    EXPECT_EQ(LookupTweak(std::string_view("dns\0x", 5)), nullptr);
}

TEST(Catalog, OnlyThePackageRemovalIsIrreversible) {
    std::vector<std::string> irreversible;
    for (const TweakEntry& entry : TweakCatalog) {
        if (!entry.reversible)
            irreversible.push_back(entry.id);
    }
    EXPECT_EQ(irreversible, std::vector<std::string>{"debloat-appx"});
    const TweakEntry* appx = LookupTweak("debloat-appx");
    ASSERT_NE(appx, nullptr);
    EXPECT_EQ(appx->risk, RiskLevel::Risky);
    EXPECT_STREQ(appx->name, "Preinstalled apps");
}

}  // namespace
