// docs/tweaks.md is what the engine's tables say. Set QF_WRITE_TWEAK_DOCUMENT=1 to rewrite
// it instead (scripts/tweak-doc.sh does).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/tweak_document.h"
#include "engine/tweak_table.h"

namespace {

const char* const kDocument = QF_SOURCE_DIR "/docs/tweaks.md";

TEST(TweakTable, HasOnePlanPerCatalogEntryInCatalogOrder) {
    for (std::size_t i = 0; i < TweakCatalog.size(); ++i)
        EXPECT_EQ(kTweakPlans[i].id, TweakCatalog[i].id);
}

TEST(TweakDocument, MatchesTheCommittedFile) {
    const std::string rendered = RenderTweakDocument();
    if (const char* write = std::getenv("QF_WRITE_TWEAK_DOCUMENT"); write && *write == '1') {
        std::ofstream(kDocument, std::ios::binary) << rendered;
    }
    std::ifstream file(kDocument, std::ios::binary);
    ASSERT_TRUE(file) << kDocument << " is missing";
    std::stringstream committed;
    committed << file.rdbuf();
    EXPECT_EQ(committed.str(), rendered)
        << "docs/tweaks.md is stale: run bash scripts/tweak-doc.sh";
}

}  // namespace
