// The DNS presets through the `dns` tweak's own apply and revert: the netsh lines, the state
// recorded and saved, and the lines logged, with the reason of a failure.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "net/dns.h"
#include "support/bytes.h"

namespace {

const std::u16string kV4Key =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{G}";
const std::u16string kV6Key =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip6\\Parameters\\Interfaces\\{G}";
const std::u16string kNetsh = u"C:\\Windows\\system32\\netsh.exe";
const std::u16string kFlush = u"ipconfig /flushdns";
const std::u16string kV6Dhcp = u"netsh interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp";

std::u16string V4Static(const std::u16string& server) {
    return u"netsh interface ipv4 set dnsservers name=\"Ethernet\" static " + server + u" primary";
}

std::u16string V4Add(const std::u16string& server) {
    return u"netsh interface ipv4 add dnsservers name=\"Ethernet\" " + server + u" index=2";
}

using Store = std::map<std::string, std::string, std::less<>>;

Store StoreFor(const char* primary, const char* secondary) {
    return {{"dns.alias", "Ethernet"},
            {"dns.guid", "{G}"},
            {"dns.v4", primary},
            {"dns.v4b", secondary}};
}

// The user's own servers, as the preset captures them: IPv4 static, IPv6 from DHCP.
const std::vector<RegistryCapture> kUsersOwn = {
    {RegistryRoot::LocalMachine, kV4Key, u"NameServer", true, 1, RegSz(u"192.168.1.1")},
    {RegistryRoot::LocalMachine, kV6Key, u"NameServer", false, 0, {}},
};

class DnsPresetTest : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        sim::TheMachine().network.adapters = {{"{G}", u"Ethernet", 6, 1}};
        sim::PutRegistryValue(platform::kHkeyLocalMachine, kV4Key, u"NameServer", 1,
                              RegSz(u"192.168.1.1"));
    }
    const std::vector<RegistryCapture>& DnsCaptures() const {
        static const std::vector<RegistryCapture> none;
        const auto found = state.RegistryBackups.find("dns");
        return found == state.RegistryBackups.end() ? none : found->second;
    }
};

TEST_F(DnsPresetTest, APresetIsTheDnsTweakAppliedWithItsServers) {
    const Outcome cloudflare = ApplyDnsPreset(state, kDnsPresets[0]);
    EXPECT_TRUE(cloudflare.Ok());
    EXPECT_EQ(cloudflare.changed, std::vector<std::string>{"dns"});
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{V4Static(u"1.1.1.1"), V4Add(u"1.0.0.1"),
                                                       kV6Dhcp, kFlush}));
    EXPECT_EQ(state.AppliedSet, (std::set<std::string, std::less<>>{"dns"}));
    EXPECT_EQ(state.BackupStore, StoreFor("1.1.1.1", "1.0.0.1"));
    EXPECT_EQ(DnsCaptures(), kUsersOwn);
    EXPECT_EQ(StateFile(), EncodeState(state));

    // Another preset: the one in force reverted to the user's servers first, without a line,
    // and the user's servers captured again.
    sim::TheMachine().processes.runs.clear();
    const Outcome google = ApplyDnsPreset(state, kDnsPresets[1]);
    EXPECT_TRUE(google.Ok());
    EXPECT_EQ(google.changed, std::vector<std::string>{"dns"});
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{V4Static(u"192.168.1.1"), kV6Dhcp, kFlush,
                                                       V4Static(u"8.8.8.8"), V4Add(u"8.8.4.4"),
                                                       kV6Dhcp, kFlush}));
    EXPECT_EQ(state.AppliedSet, (std::set<std::string, std::less<>>{"dns"}));
    EXPECT_EQ(state.BackupStore, StoreFor("8.8.8.8", "8.8.4.4"));
    EXPECT_EQ(DnsCaptures(), kUsersOwn);
    EXPECT_EQ(StateFile(), EncodeState(state));
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"dns -> CLOUDFLARE 1.1.1.1", "dns -> GOOGLE 8.8.8.8"}));
    EXPECT_EQ(state.LogEntries.back().kind, LogKind::Success);
    EXPECT_EQ(state.LogEntries.back().reason, "");

    // Back to DHCP: the tweak's revert and its line, then the page's.
    sim::TheMachine().processes.runs.clear();
    const Outcome dhcp = RevertDnsToDhcp(state);
    EXPECT_TRUE(dhcp.Ok());
    EXPECT_EQ(dhcp.changed, std::vector<std::string>{"dns"});
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{V4Static(u"192.168.1.1"), kV6Dhcp, kFlush}));
    EXPECT_TRUE(state.AppliedSet.empty());
    EXPECT_TRUE(DnsCaptures().empty());
    EXPECT_EQ(StateFile(), EncodeState(state));
    EXPECT_EQ(Log().back(), "dns -> dhcp");
    EXPECT_EQ(Log()[Log().size() - 2], "reverted  DNS Cloudflare");
}

TEST_F(DnsPresetTest, AFailedPresetSaysWhyAndLeavesTheStateAsItWas) {
    const struct {
        const char* name;
        bool cloudflareFirst;
        std::u16string refused;  // empty: every command exits with 1
        std::vector<std::u16string> commands;
        bool appliedAfter;
        Store store;
        std::vector<RegistryCapture> captures;
    } rows[] = {
        {"netsh refuses the preset",
         false,
         {},
         {V4Static(u"9.9.9.9"), V4Add(u"149.112.112.112"), kV6Dhcp, kFlush},
         false,
         // No preset took: no servers for the DNS row either.
         {{"dns.alias", "Ethernet"}, {"dns.guid", "{G}"}},
         {}},
        {"refused after the preset in force was undone",
         true,
         V4Static(u"9.9.9.9"),
         {V4Static(u"192.168.1.1"), kV6Dhcp, kFlush, V4Static(u"9.9.9.9"),
          V4Add(u"149.112.112.112"), kV6Dhcp, kFlush},
         false,
         // The last preset that took stays the DNS row's choice.
         StoreFor("1.1.1.1", "1.0.0.1"),
         {}},
        {"the preset in force cannot be undone",
         true,
         V4Static(u"192.168.1.1"),
         {V4Static(u"192.168.1.1"), kV6Dhcp, kFlush},
         true,
         StoreFor("1.1.1.1", "1.0.0.1"),
         kUsersOwn},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SetUp();
        state = AppState{};
        if (row.cloudflareFirst) {
            ASSERT_TRUE(ApplyDnsPreset(state, kDnsPresets[0]).Ok());
        }
        sim::TheMachine().processes.runs.clear();
        if (row.refused.empty()) {
            sim::TheMachine().processes.defaultExitCode = 1;
        } else {
            sim::TheMachine().processes.exitCodes[row.refused] = 1;
        }
        const std::size_t lines = state.LogEntries.size();
        const auto fileBefore = StateFile();

        const Outcome outcome = ApplyDnsPreset(state, kDnsPresets[2]);

        EXPECT_EQ(outcome.failed,
                  (std::vector<TweakFailure>{{"dns", Refusal::ToolExit(kNetsh, 1)}}));
        EXPECT_EQ(Commands(), row.commands);
        EXPECT_EQ(IsApplied(state, "dns"), row.appliedAfter);
        EXPECT_EQ(state.BackupStore, row.store);
        EXPECT_EQ(DnsCaptures(), row.captures);
        ASSERT_EQ(state.LogEntries.size(), lines + 1);
        EXPECT_EQ(state.LogEntries.back().message, "dns: failed");
        EXPECT_EQ(state.LogEntries.back().kind, LogKind::Error);
        EXPECT_EQ(state.LogEntries.back().reason, "C:\\Windows\\system32\\netsh.exe: exit code 1");
        EXPECT_EQ(SessionLog().find("exit code"), std::string::npos);
        // Only an undo that succeeded saved; the failed apply did not.
        if (row.cloudflareFirst && !row.appliedAfter) {
            const auto file = StateFile();
            ASSERT_TRUE(file.has_value());
            AppState saved;
            EXPECT_TRUE(DecodeState(*file, saved));
            EXPECT_TRUE(saved.AppliedSet.empty());
            EXPECT_EQ(saved.RegistryBackups.count("dns"), 0u);
            EXPECT_EQ(saved.BackupStore.at("dns.v4"), "1.1.1.1");
        } else {
            EXPECT_EQ(StateFile(), fileBefore);
        }
    }
}

TEST_F(DnsPresetTest, BackToDhcpThatFailsSaysWhyInTheRevertsLine) {
    ASSERT_TRUE(ApplyDnsPreset(state, kDnsPresets[1]).Ok());
    state.BackupStore.erase("dns.alias");
    const Outcome outcome = RevertDnsToDhcp(state);
    EXPECT_EQ(outcome.failed,
              (std::vector<TweakFailure>{{"dns", Refusal::Own("no interface recorded")}}));
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"dns -> GOOGLE 8.8.8.8", "revert failed  DNS Cloudflare"}));
    EXPECT_EQ(state.LogEntries.back().reason, "no interface recorded");
    EXPECT_TRUE(IsApplied(state, "dns"));
}

}  // namespace
