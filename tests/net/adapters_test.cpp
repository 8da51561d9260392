// Adapter discovery over a scripted adapter table.
#include <gtest/gtest.h>

#include "net/adapters.h"
#include "support/sim_fixture.h"

namespace {

platform::AdapterEntry Entry(const char16_t* name, bool up, std::uint32_t type = 6,
                             const char* guid = "{G}") {
    return {guid, name, type, up ? 1u : 2u};
}

class AdaptersTest : public SimTest {
  protected:
    static std::vector<std::u16string> Aliases(const std::vector<NetAdapter>& adapters) {
        std::vector<std::u16string> names;
        for (const NetAdapter& adapter : adapters)
            names.push_back(adapter.Alias);
        return names;
    }
    static sim::Network& Net() { return sim::TheMachine().network; }
};

TEST_F(AdaptersTest, UpInterfacesComeFirstInThePlatformsOrder) {
    const struct {
        const char* name;
        std::vector<platform::AdapterEntry> table;
        std::vector<std::u16string> listed;
        const char16_t* active;  // nullptr: none
    } rows[] = {
        {"none", {}, {}, nullptr},
        {"only loopback and tunnel",
         {Entry(u"Loopback", true, 24), Entry(u"Teredo", true, 131)},
         {},
         nullptr},
        {"down, up, up",
         {Entry(u"first", false), Entry(u"second", true), Entry(u"third", true)},
         {u"second", u"third", u"first"},
         u"second"},
        {"two down keep their order",
         {Entry(u"a", false), Entry(u"b", false)},
         {u"a", u"b"},
         nullptr},
        {"an unnamed interface is not listed",
         {Entry(u"", true), Entry(u"Wi-Fi", false)},
         {u"Wi-Fi"},
         nullptr},
        {"loopback among others",
         {Entry(u"lo", true, 24), Entry(u"Ethernet 2", true), Entry(u"vEthernet", false, 71)},
         {u"Ethernet 2", u"vEthernet"},
         u"Ethernet 2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Net().adapters = row.table;
        const std::vector<NetAdapter> adapters = DiscoverAdapters();
        EXPECT_EQ(Aliases(adapters), row.listed);
        const NetAdapter* active = ActiveAdapter(adapters);
        if (row.active == nullptr) {
            EXPECT_EQ(active, nullptr);
        } else {
            ASSERT_NE(active, nullptr);
            EXPECT_EQ(active->Alias, row.active);
        }
    }
}

TEST_F(AdaptersTest, TheAdapterNameBecomesTheGuid) {
    Net().adapters = {Entry(u"Ethernet", true, 6, "{4D36E972-E325-11CE-BFC1-08002BE10318}"),
                      Entry(u"NoName", true, 6, "")};
    const std::vector<NetAdapter> adapters = DiscoverAdapters();
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[0].Guid, u"{4D36E972-E325-11CE-BFC1-08002BE10318}");
    EXPECT_TRUE(adapters[0].IsUp);
    EXPECT_EQ(adapters[1].Guid, u"");
}

TEST_F(AdaptersTest, ALargerTableGetsExactlyOneMoreCall) {
    Net().adapters = {Entry(u"Ethernet", true)};
    Net().requiredBufferSize = 40000;
    EXPECT_EQ(DiscoverAdapters().size(), 1u);
    EXPECT_EQ(Net().bufferSizes, (std::vector<std::uint32_t>{16384, 40000}));
}

TEST_F(AdaptersTest, ASecondOverflowOrAFailureGivesNothing) {
    Net().adapters = {Entry(u"Ethernet", true)};
    Net().alwaysOverflows = true;
    EXPECT_TRUE(DiscoverAdapters().empty());
    EXPECT_EQ(Net().bufferSizes.size(), 2u);
    Net().alwaysOverflows = false;
    Net().error = 232;  // ERROR_NO_DATA
    EXPECT_TRUE(DiscoverAdapters().empty());
}

}  // namespace
