// The exact netsh command lines of the DNS presets, from the recording process runner.
#include <gtest/gtest.h>

#include "net/dns.h"
#include "platform/registry.h"
#include "state/text.h"
#include "support/bytes.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

const std::u16string kGuid = u"{11111111-2222-3333-4444-555555555555}";
const std::u16string kV4Key =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + kGuid;
const std::u16string kV6Key =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip6\\Parameters\\Interfaces\\" + kGuid;
const std::u16string kFlush = u"ipconfig /flushdns";
const std::u16string kNetshPath = u"C:\\Windows\\system32\\netsh.exe";
const Refusal kUnsafe = Refusal::Own("interface name unsafe on a command line");

class DnsTest : public SimTest {
  protected:
    void UseAdapter(const char16_t* alias, bool up = true) {
        sim::TheMachine().network.adapters = {
            {std::string(kGuid.begin(), kGuid.end()), alias, 6, up ? 1u : 2u}};
    }
    static std::vector<std::u16string> Commands() {
        std::vector<std::u16string> lines;
        for (const auto& run : sim::TheMachine().processes.runs)
            lines.push_back(run.commandLine);
        return lines;
    }
    static std::u16string Netsh(const std::u16string& arguments) { return u"netsh " + arguments; }
    // Reverts with the two captures given, on the interface "Ethernet".
    std::vector<std::u16string> RevertWith(RegistryCapture v4, RegistryCapture v6) {
        state.BackupStore["dns.alias"] = "Ethernet";
        v4.subkey = kV4Key;
        v6.subkey = kV6Key;
        state.RegistryBackups["dns"] = {v4, v6};
        sim::TheMachine().processes.runs.clear();
        EXPECT_TRUE(RevertDns(state).Ok());
        return Commands();
    }
    static RegistryCapture Text(std::u16string_view text) {
        return {RegistryRoot::LocalMachine, u"", u"NameServer", true, 1, RegSz(text)};
    }
    static RegistryCapture Absent() {
        return {RegistryRoot::LocalMachine, u"", u"NameServer", false, 0, {}};
    }
    AppState state;
};

TEST_F(DnsTest, ApplyCapturesThenSetsPrimarySecondaryAndIpv6Dhcp) {
    UseAdapter(u"Ethernet");
    sim::PutRegistryValue(platform::kHkeyLocalMachine, kV4Key, u"NameServer", 1, RegSz(u"9.9.9.9"));
    EXPECT_TRUE(ApplyDns(state, "dns", u"1.1.1.1", u"1.0.0.1").Ok());
    EXPECT_EQ(Commands(),
              (std::vector<std::u16string>{
                  Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" static 1.1.1.1 primary"),
                  Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" 1.0.0.1 index=2"),
                  Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}));
    EXPECT_EQ(sim::TheMachine().processes.runs[0].applicationPath,
              u"C:\\Windows\\system32\\netsh.exe");
    EXPECT_EQ(state.BackupStore.at("dns.alias"), "Ethernet");
    EXPECT_EQ(state.BackupStore.at("dns.guid"), ToUtf8(kGuid));
    EXPECT_EQ(state.BackupStore.at("dns.v4"), "1.1.1.1");
    EXPECT_EQ(state.BackupStore.at("dns.v4b"), "1.0.0.1");
    const auto& captures = state.RegistryBackups.at("dns");
    ASSERT_EQ(captures.size(), 2u);
    EXPECT_EQ(captures[0].subkey, kV4Key);
    EXPECT_EQ(NameServerText(captures[0]), u"9.9.9.9");
    EXPECT_EQ(captures[1].subkey, kV6Key);
    EXPECT_FALSE(captures[1].existed);
}

TEST_F(DnsTest, AnEmptySecondaryIsNotAdded) {
    UseAdapter(u"Wi-Fi 2", false);  // no interface up: the first listed one is used
    EXPECT_TRUE(ApplyDns(state, "dns", u"8.8.8.8", u"").Ok());
    EXPECT_EQ(Commands(),
              (std::vector<std::u16string>{
                  Netsh(u"interface ipv4 set dnsservers name=\"Wi-Fi 2\" static 8.8.8.8 primary"),
                  Netsh(u"interface ipv6 set dnsservers name=\"Wi-Fi 2\" source=dhcp"), kFlush}));
    EXPECT_EQ(state.BackupStore.at("dns.v4b"), "");
}

TEST_F(DnsTest, ARefusedPrimaryFailsAfterTheOtherCommandsRan) {
    UseAdapter(u"Ethernet");
    sim::TheMachine().processes.defaultExitCode = 1;
    EXPECT_EQ(ApplyDns(state, "dns", u"1.1.1.1", u"1.0.0.1").Reason(),
              Refusal::ToolExit(kNetshPath, 1));
    EXPECT_EQ(Commands().size(), 4u);
}

TEST_F(DnsTest, NoInterfaceChangesNothing) {
    const struct {
        const char* name;
        std::uint32_t error;
        Refusal refusal;
    } rows[] = {
        {"none listed", 0, Refusal::Own("no active interface")},
        {"the list refused", 232, Refusal::Call("GetAdaptersAddresses", 232)},  // ERROR_NO_DATA
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim::Reset();
        state = AppState{};
        if (row.error != 0)
            UseAdapter(u"Ethernet");
        sim::TheMachine().network.error = row.error;
        EXPECT_EQ(ApplyDns(state, "dns", u"1.1.1.1", u"1.0.0.1").Reason(), row.refusal);
        EXPECT_TRUE(Commands().empty());
        EXPECT_TRUE(state.BackupStore.empty());
        EXPECT_TRUE(state.RegistryBackups.empty());
    }
}

TEST_F(DnsTest, NamesThatWouldBreakTheCommandLineAreRefused) {
    for (const char16_t* alias :
         {u"Eth\"ernet", u"Ethernet\\", u"Eth\nernet", u"Eth\x7F", u"Eth\x85"}) {
        UseAdapter(alias);
        EXPECT_EQ(ApplyDns(state, "dns", u"1.1.1.1", u"1.0.0.1").Reason(), kUnsafe);
        EXPECT_TRUE(state.BackupStore.empty());
        EXPECT_TRUE(state.RegistryBackups.empty());
        state.BackupStore["dns.alias"] = ToUtf8(alias);
        EXPECT_EQ(RevertDns(state).Reason(), kUnsafe);
        state.BackupStore.clear();
    }
    EXPECT_TRUE(Commands().empty());
    // Backslashes inside a name and non-ASCII letters are fine.
    EXPECT_TRUE(IsSafeInterfaceName(u"Ethernet\\2"));
    EXPECT_TRUE(IsSafeInterfaceName(u"R\u00E9seau"));
}

TEST_F(DnsTest, AServerListThatCannotBeCapturedIsNotChanged) {
    UseAdapter(u"Ethernet");
    sim::PutRegistryValue(platform::kHkeyLocalMachine, kV4Key, u"NameServer", 1, RegSz(u"9.9.9.9"));
    sim::PutRegistryValue(platform::kHkeyLocalMachine, kV6Key, u"NameServer", 1, RegSz(u"::1"));
    const std::u16string cases[] = {sim::RegistryPath(platform::kHkeyLocalMachine, kV4Key),
                                    sim::RegistryPath(platform::kHkeyLocalMachine, kV6Key)};
    for (const std::u16string& unreadable : cases) {
        SCOPED_TRACE(ToUtf8(unreadable));
        sim::TheMachine().registryFaults.secondReadFails = {unreadable + u"\\NameServer"};
        state.BackupStore["dns.v4"] = "8.8.8.8";
        EXPECT_EQ(ApplyDns(state, "dns", u"1.1.1.1", u"1.0.0.1").Reason(),
                  Refusal::Call("RegQueryValueExW", 5));
        EXPECT_TRUE(Commands().empty());
        EXPECT_EQ(state.RegistryBackups.count("dns"), 0u);
        EXPECT_EQ(state.BackupStore,
                  (std::map<std::string, std::string, std::less<>>{{"dns.v4", "8.8.8.8"}}));
    }
}

TEST_F(DnsTest, RevertRestoresTheCapturedServers) {
    const struct {
        const char* name;
        RegistryCapture v4;
        RegistryCapture v6;
        std::vector<std::u16string> commands;
    } rows[] = {
        {"comma-separated pair",
         Text(u"1.1.1.1,1.0.0.1"),
         Absent(),
         {Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" static 1.1.1.1 primary"),
          Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" 1.0.0.1 index=2"),
          Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}},
        {"three servers, comma and space then space",
         Text(u"10.0.0.1, 10.0.0.2 10.0.0.3"),
         Text(u""),
         {Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" static 10.0.0.1 primary"),
          Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" 10.0.0.2 index=2"),
          Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" 10.0.0.3 index=3"),
          Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}},
        {"only separators",
         Text(u" , ,"),
         Absent(),
         {Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}},
        {"absent",
         Absent(),
         Absent(),
         {Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" source=dhcp"),
          Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}},
        {"existing but empty",
         Text(u""),
         Absent(),
         {Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" source=dhcp"),
          Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}},
        {"not REG_SZ",
         {RegistryRoot::LocalMachine, u"", u"NameServer", true, 7, RegSz(u"1.1.1.1")},
         Absent(),
         {Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" source=dhcp"),
          Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp"), kFlush}},
        {"IPv6 server by server",
         Absent(),
         Text(u"2606:4700::1111,2606:4700::1001 2606:4700::64"),
         {Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" source=dhcp"),
          Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" static 2606:4700::1111 primary"),
          Netsh(u"interface ipv6 add dnsservers name=\"Ethernet\" 2606:4700::1001 index=2"),
          Netsh(u"interface ipv6 add dnsservers name=\"Ethernet\" 2606:4700::64 index=3"), kFlush}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RevertWith(row.v4, row.v6), row.commands);
    }
}

TEST_F(DnsTest, ANameWithSpacesIsPassedUnchanged) {
    UseAdapter(u"Ethernet 2 (USB)");
    ASSERT_TRUE(ApplyDns(state, "dns", u"9.9.9.9", u"149.112.112.112").Ok());
    EXPECT_EQ(
        Commands()[0],
        Netsh(u"interface ipv4 set dnsservers name=\"Ethernet 2 (USB)\" static 9.9.9.9 primary"));
    sim::TheMachine().processes.runs.clear();
    EXPECT_TRUE(RevertDns(state).Ok());
    EXPECT_EQ(Commands()[0],
              Netsh(u"interface ipv4 set dnsservers name=\"Ethernet 2 (USB)\" source=dhcp"));
}

TEST_F(DnsTest, WithoutARecordedInterfaceNothingRuns) {
    EXPECT_EQ(RevertDns(state).Reason(), Refusal::Own("no interface recorded"));
    state.BackupStore["dns.alias"] = "";
    EXPECT_EQ(RevertDns(state).Reason(), Refusal::Own("no interface recorded"));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(DnsTest, ARevertRunsEveryCommandAndReportsTheFirstThatFailed) {
    sim::TheMachine().processes.exitCodes[Netsh(
        u"interface ipv4 set dnsservers name=\"Ethernet\" static 1.1.1.1 primary")] = 1;
    state.BackupStore["dns.alias"] = "Ethernet";
    RegistryCapture v4 = Text(u"1.1.1.1 1.0.0.1");
    v4.subkey = kV4Key;
    state.RegistryBackups["dns"] = {v4};
    EXPECT_EQ(RevertDns(state).Reason(), Refusal::ToolExit(kNetshPath, 1));
    EXPECT_EQ(Commands().size(), 4u);  // the add, IPv6 DHCP and the flush still ran
    EXPECT_EQ(Commands().back(), kFlush);

    sim::TheMachine().processes.runs.clear();
    sim::TheMachine().processes.exitCodes.clear();
    sim::TheMachine()
        .processes.exitCodes[Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" "
                                   u"1.0.0.1 index=2")] = 2;
    // A server that did not come back is no exact undo.
    EXPECT_EQ(RevertDns(state).Reason(), Refusal::ToolExit(kNetshPath, 2));
    EXPECT_EQ(Commands().size(), 4u);

    // The same for IPv6, server by server, and for its return to DHCP.
    RegistryCapture v6 = Text(u"2606:4700::1111 2606:4700::1001");
    v6.subkey = kV6Key;
    state.RegistryBackups["dns"] = {v4, v6};
    const std::u16string v6Add =
        Netsh(u"interface ipv6 add dnsservers name=\"Ethernet\" 2606:4700::1001 index=2");
    const std::u16string v6Dhcp =
        Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp");
    for (const std::u16string& refused : {v6Add, v6Dhcp}) {
        sim::TheMachine().processes.runs.clear();
        sim::TheMachine().processes.exitCodes.clear();
        sim::TheMachine().processes.exitCodes[refused] = 3;
        if (refused == v6Dhcp)
            state.RegistryBackups["dns"] = {v4};
        EXPECT_EQ(RevertDns(state).Reason(), Refusal::ToolExit(kNetshPath, 3));
        EXPECT_EQ(Commands().back(), kFlush);
    }
}

TEST_F(DnsTest, NameServerTextDropsTrailingNulsAndAnOddByte) {
    RegistryCapture capture = Text(u"1.1.1.1");
    capture.data.insert(capture.data.end(), {0, 0, 0});
    EXPECT_EQ(NameServerText(capture), u"1.1.1.1");
    capture.data = {'1'};
    EXPECT_EQ(NameServerText(capture), u"");
}

TEST(DnsPresetTable, HoldsTheThreeResolvers) {
    EXPECT_STREQ(kDnsPresets[0].label, "CLOUDFLARE 1.1.1.1");
    EXPECT_EQ(std::u16string(kDnsPresets[1].secondary), u"8.8.4.4");
    EXPECT_EQ(std::u16string(kDnsPresets[2].secondary), u"149.112.112.112");
}

}  // namespace
