// The rules that turn raw machine values into the record's facts, each on its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim.h"
#include "sysinfo/fact_rules.h"
#include "sysinfo/registry_text.h"

namespace {

TEST(RegistryTextTrim, DropsLineEndsAndSpacesButKeepsTabs) {
    const struct {
        const char* name;
        std::u16string raw;
        std::u16string trimmed;
    } rows[] = {
        {"plain", u"Intel(R) Core(TM) i7", u"Intel(R) Core(TM) i7"},
        {"trailing spaces and a line feed", u"AMD Ryzen 7   \n", u"AMD Ryzen 7"},
        {"trailing CR LF, NULs and spaces mixed", std::u16string(u"CPU \r\n\0 \0", 9), u"CPU"},
        {"leading spaces", u"    Intel Xeon", u"Intel Xeon"},
        {"a leading line feed stays", u"\nIntel", u"\nIntel"},
        {"a tab at either end stays", u"\tIntel\t", u"\tIntel\t"},
        {"a tab before trailing spaces stays", u" Intel\t  ", u"Intel\t"},
        {"spaces inside stay", u"  A  B  ", u"A  B"},
        {"only spaces", u"     ", u""},
        {"only line ends", u"\r\n\r\n", u""},
        {"empty", u"", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TrimRegistryText(row.raw), row.trimmed);
    }
}

TEST(AdapterChoiceRule, TheFirstRealAdapterWinsElseTheFirstFallbackElseGpu) {
    const struct {
        const char* name;
        std::vector<std::u16string> descriptions;  // in enumeration order
        std::u16string chosen;
        std::size_t offered;  // descriptions read before the choice was settled
    } rows[] = {
        {"nothing readable", {}, u"GPU", 0},
        {"only empty descriptions", {u"", u""}, u"GPU", 2},
        {"remote display, then the real one",
         {u"Microsoft Remote Display Adapter", u"NVIDIA GeForce RTX 4070"},
         u"NVIDIA GeForce RTX 4070",
         2},
        {"only the basic display adapter",
         {u"Microsoft Basic Display Adapter"},
         u"Microsoft Basic Display Adapter",
         1},
        {"the first of two fallbacks",
         {u"Microsoft Basic Render Driver", u"Microsoft Remote Display Adapter"},
         u"Microsoft Basic Render Driver",
         2},
        {"the first real one stops the search",
         {u"", u"AMD Radeon RX 7800 XT", u"Intel(R) UHD Graphics 770"},
         u"AMD Radeon RX 7800 XT",
         2},
        {"a short name is real", {u"Remote Displa", u"Basic"}, u"Remote Displa", 1},
        {"the texts are case-sensitive",
         {u"microsoft basic display adapter"},
         u"microsoft basic display adapter",
         1},
        {"exactly the fallback words", {u"Remote Display", u"GPU X"}, u"GPU X", 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        AdapterChoice choice;
        std::size_t offered = 0;
        for (const std::u16string& description : row.descriptions) {
            ++offered;
            if (choice.Offer(description))
                break;
        }
        EXPECT_EQ(choice.Name(), row.chosen);
        EXPECT_EQ(offered, row.offered);
    }
}

TEST(BoardRule, MakerAndProductElseTheSystemProductElseMotherboard) {
    const struct {
        const char* name;
        std::u16string maker, product, systemProduct, text;
    } rows[] = {
        {"maker and product", u"ASUSTeK COMPUTER INC.", u"ROG STRIX B650-A", u"System",
         u"ASUSTeK COMPUTER INC. ROG STRIX B650-A"},
        {"product alone", u"", u"X570 AORUS", u"ignored", u"X570 AORUS"},
        {"maker without product shows the system product", u"Dell Inc.", u"", u"OptiPlex 7090",
         u"OptiPlex 7090"},
        {"maker without product or system product", u"Dell Inc.", u"", u"", u"motherboard"},
        {"nothing at all", u"", u"", u"", u"motherboard"},
        {"only the system product", u"", u"", u"VirtualBox", u"VirtualBox"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BoardTextOf(row.maker, row.product, row.systemProduct), row.text);
    }
}

TEST(EditionRule, Windows11StartsAtBuild22000) {
    const struct {
        std::uint32_t build;
        std::u16string text;
    } rows[] = {
        {0, u"Windows 10  build 0"},
        {7601, u"Windows 10  build 7601"},
        {19045, u"Windows 10  build 19045"},
        {21999, u"Windows 10  build 21999"},
        {22000, u"Windows 11  build 22000"},
        {22631, u"Windows 11  build 22631"},
        {4294967295u, u"Windows 11  build 4294967295"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.build);
        EXPECT_EQ(EditionText(row.build), row.text);
    }
}

std::vector<std::uint8_t> Table(std::initializer_list<std::uint32_t> relationships) {
    std::vector<std::uint8_t> table;
    for (const std::uint32_t relationship : relationships) {
        const sim::Bytes entry = sim::ProcessorInformationEntry(relationship);
        table.insert(table.end(), entry.begin(), entry.end());
    }
    return table;
}

TEST(CoreCountRule, CountsCoreEntriesAndNeverLessThanOne) {
    std::vector<std::uint8_t> cut = Table({0, 0});
    cut.pop_back();  // the second entry is incomplete
    const struct {
        const char* name;
        std::vector<std::uint8_t> table;
        std::uint32_t cores;
    } rows[] = {
        {"no entries", {}, 1},
        {"one core", Table({0}), 1},
        {"cores among caches, packages and nodes", Table({2, 0, 3, 0, 1, 0, 0, 4}), 4},
        {"no core entry", Table({1, 2, 3}), 1},
        {"a relationship with high bytes set is not a core", Table({0x100, 0, 0, 0x01000000}), 2},
        {"an incomplete entry is not read", cut, 1},
        {"less than one entry", std::vector<std::uint8_t>(31, 0), 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CoresInProcessorInformation(row.table), row.cores);
    }
}

}  // namespace
