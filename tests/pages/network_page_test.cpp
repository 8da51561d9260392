// The Network page in headless frames over the simulated platform: the DNS card's texts read
// back from the body's draw list, the preset and DHCP buttons seen in the netsh command
// lines, the application state, state.bin and the log, and the list of Network tweaks.
#include <gtest/gtest.h>

#include <imgui.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "net/dns.h"
#include "pages/body_fixture.h"
#include "pages/pages.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"
#include "state/state_file.h"
#include "state/text.h"
#include "support/bytes.h"
#include "ui/fonts.h"
#include "ui/palette.h"
#include "ui/widgets.h"

namespace {

const std::u16string kGuid = u"{0A1B2C3D-0000-4000-8000-00000000E7E7}";
const std::u16string kV4Key =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + kGuid;
const std::u16string kFlush = u"ipconfig /flushdns";

std::u16string Netsh(const std::u16string& arguments) {
    return u"netsh " + arguments;
}
std::u16string V4Static(const std::u16string& server) {
    return Netsh(u"interface ipv4 set dnsservers name=\"Ethernet\" static " + server + u" primary");
}
std::u16string V4Add(const std::u16string& server) {
    return Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" " + server + u" index=2");
}
const std::u16string kV6Dhcp =
    Netsh(u"interface ipv6 set dnsservers name=\"Ethernet\" source=dhcp");

struct Adapter {
    std::u16string alias;
    bool up = true;
    std::uint32_t ifType = 6;  // Ethernet
};

class NetworkPageTest : public BodyTest {
  protected:
    explicit NetworkPageTest(Layout layout = ScaledLayout(1)) : BodyTest(layout) {}

    static void UseAdapters(const std::vector<Adapter>& adapters) {
        sim::TheMachine().network.adapters.clear();
        int n = 0;
        for (const Adapter& adapter : adapters) {
            const std::u16string guid = n++ == 0 ? kGuid : u"{other-" + adapter.alias + u"}";
            sim::TheMachine().network.adapters.push_back(
                {ToUtf8(guid), adapter.alias, adapter.ifType, adapter.up ? 1u : 2u});
        }
    }
    // "Ethernet", up, whose IPv4 servers the user set to 192.168.1.1.
    static void UseEthernetWithOwnServer() {
        UseAdapters({{u"Ethernet"}});
        sim::PutRegistryValue(platform::kHkeyLocalMachine, kV4Key, u"NameServer", 1,
                              RegSz(u"192.168.1.1"));
    }
    ImVec2 PresetButton(int index) const {
        return At(18 + 194 * static_cast<float>(index) + 93, 114 + 19);
    }
    ImVec2 DhcpButton() const { return At(18 + 70, 160 + 14); }
    void ClickPreset(int index) const { Click(DrawNetworkPage, PresetButton(index)); }

    // The card's text drawn at (+x, +y), after a frame that bakes its glyphs.
    std::optional<DrawnText> CardTextAt(float x, float y) const {
        DrawPage(DrawNetworkPage);
        DrawPage(DrawNetworkPage);
        for (const DrawnText& text : DrawnTexts(DrawListOf("##body"))) {
            if (std::fabs(text.position.x - At(x, y).x) < 1 &&
                std::fabs(text.position.y - At(x, y).y) < 1) {
                return text;
            }
        }
        return std::nullopt;
    }
    std::string InterfaceShown() const {
        const auto text = CardTextAt(120, 63);
        EXPECT_TRUE(text.has_value());
        if (text) {
            EXPECT_EQ(text->colour, ColText);
        }
        return text ? text->text : "";
    }
    // "preset active" in green or "system" in grey.
    std::string StateShown() const {
        const auto text = CardTextAt(120, 87);
        if (!text)
            return "(nothing)";
        if (text->text == "preset active" && text->colour == ColSuccess)
            return "preset active";
        if (text->text == "system" && text->colour == ColTextSecondary)
            return "system";
        return "(wrong colour) " + text->text;
    }
    static const std::vector<RegistryCapture>& DnsCaptures() {
        static const std::vector<RegistryCapture> none;
        const auto found = TestState().RegistryBackups.find("dns");
        return found == TestState().RegistryBackups.end() ? none : found->second;
    }
    static std::optional<AppState> Saved() {
        const auto bytes = sim::FileContent(StatePath());
        if (!bytes)
            return std::nullopt;
        AppState saved;
        EXPECT_TRUE(DecodeState(*bytes, saved));
        return saved;
    }
};

TEST_F(NetworkPageTest, TheCardNamesTheFirstInterfaceThatIsUp) {
    const struct {
        const char* name;
        std::vector<Adapter> adapters;
        std::string shown;
    } rows[] = {
        {"none listed", {}, "no active interface"},
        {"none up", {{u"Ethernet", false}, {u"Wi-Fi", false}}, "no active interface"},
        {"the first up one as reported",
         {{u"Ethernet", false}, {u"Wi-Fi"}, {u"Ethernet 2"}},
         "Wi-Fi"},
        {"loopback skipped", {{u"Loopback Pseudo-Interface 1", true, 24}, {u"Wi-Fi 2"}}, "Wi-Fi 2"},
        {"UTF-16 name shown as UTF-8", {{u"R\u00e9seau local"}}, "R\u00e9seau local"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UseAdapters(row.adapters);
        EXPECT_EQ(InterfaceShown(), row.shown);
        EXPECT_EQ(StateShown(), "system");
    }
}

TEST_F(NetworkPageTest, ANameTooWideForTheCardIsCutWithAnEllipsis) {
    UseAdapters({{std::u16string(300, u'W')}});
    const std::string shown = InterfaceShown();
    ASSERT_TRUE(shown.ends_with("...")) << shown;
    EXPECT_EQ(shown.find_first_not_of('W'), shown.size() - 3);
    EXPECT_LE(TextSize(FontBody, S(13), shown).x, PageWidth() - S(160));
}

TEST_F(NetworkPageTest, APresetWhileAnotherIsAppliedUndoesItSilentlyThenAppliesTheNewOne) {
    UseEthernetWithOwnServer();
    ClickPreset(0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"dns -> CLOUDFLARE 1.1.1.1"}));
    EXPECT_TRUE(IsApplied(TestState(), "dns"));
    EXPECT_EQ(StateShown(), "preset active");

    sim::TheMachine().processes.runs.clear();
    ClickPreset(1);
    // The Cloudflare preset undone to the user's own server, then Google's applied.
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{V4Static(u"192.168.1.1"), kV6Dhcp, kFlush,
                                                       V4Static(u"8.8.8.8"), V4Add(u"8.8.4.4"),
                                                       kV6Dhcp, kFlush}));
    // No line for the silent undo.
    EXPECT_EQ(Log(),
              (std::vector<std::string>{"dns -> CLOUDFLARE 1.1.1.1", "dns -> GOOGLE 8.8.8.8"}));
    EXPECT_EQ(TestState().LogEntries.back().kind, LogKind::Success);
    EXPECT_TRUE(IsApplied(TestState(), "dns"));
    // The first pair of captures went with the undo.
    ASSERT_EQ(DnsCaptures().size(), 2u);
    EXPECT_EQ(NameServerText(DnsCaptures()[0]), u"192.168.1.1");
    EXPECT_NE(DnsCaptures()[1].subkey.find(u"Tcpip6"), std::u16string::npos);
    EXPECT_EQ(TestState().BackupStore.at("dns.v4"), "8.8.8.8");
    EXPECT_EQ(TestState().BackupStore.at("dns.v4b"), "8.8.4.4");
    const auto saved = Saved();
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->AppliedSet, (std::set<std::string, std::less<>>{"dns"}));
    EXPECT_EQ(saved->BackupStore.at("dns.v4"), "8.8.8.8");
    EXPECT_EQ(saved->RegistryBackups.at("dns").size(), 2u);
    EXPECT_EQ(StateShown(), "preset active");
}

TEST_F(NetworkPageTest, AFailedPresetLogsAFailureAndLeavesDnsNotApplied) {
    const struct {
        const char* name;
        bool interface;
        bool cloudflareFirst;
        std::vector<std::u16string> refused;  // empty: every netsh run is refused
        std::vector<std::u16string> commands;
    } rows[] = {
        {"netsh refuses the preset",
         true,
         false,
         {},
         {V4Static(u"9.9.9.9"),
          Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" 149.112.112.112 index=2"),
          kV6Dhcp, kFlush}},
        {"refused after the preset in force was undone",
         true,
         true,
         {V4Static(u"9.9.9.9")},
         {V4Static(u"192.168.1.1"), kV6Dhcp, kFlush, V4Static(u"9.9.9.9"),
          Netsh(u"interface ipv4 add dnsservers name=\"Ethernet\" 149.112.112.112 index=2"),
          kV6Dhcp, kFlush}},
        {"no interface", false, false, {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        if (row.interface)
            UseEthernetWithOwnServer();
        std::vector<std::string> lines;
        if (row.cloudflareFirst) {
            ClickPreset(0);
            lines.push_back("dns -> CLOUDFLARE 1.1.1.1");
            sim::TheMachine().processes.runs.clear();
        }
        const auto savedBefore = sim::FileContent(StatePath());
        for (const std::u16string& command : row.refused)
            sim::TheMachine().processes.exitCodes[command] = 1;
        if (row.refused.empty())
            sim::TheMachine().processes.defaultExitCode = 1;

        ClickPreset(2);

        lines.push_back("dns: failed");
        EXPECT_EQ(Log(), lines);
        EXPECT_EQ(TestState().LogEntries.back().kind, LogKind::Error);
        EXPECT_EQ(Commands(), row.commands);
        EXPECT_FALSE(IsApplied(TestState(), "dns"));
        // No capture is kept for a tweak that is not applied.
        EXPECT_EQ(TestState().RegistryBackups.count("dns"), 0u);
        EXPECT_EQ(StateShown(), "system");
        // Not saved after the failure; the undo before it saved its own result.
        const auto saved = Saved();
        EXPECT_EQ(saved.has_value(), row.cloudflareFirst);
        if (saved) {
            EXPECT_EQ(saved->AppliedSet.count("dns"), 0u);
        }
        EXPECT_EQ(savedBefore.has_value(), row.cloudflareFirst);
    }
}

TEST_F(NetworkPageTest, APresetThatCannotBeUndoneStaysInForceWithTheUsersServers) {
    UseEthernetWithOwnServer();
    ClickPreset(0);
    // The recorded interface is gone: netsh no longer takes its name.
    sim::TheMachine().processes.exitCodes[V4Static(u"192.168.1.1")] = 1;
    sim::TheMachine().processes.runs.clear();

    ClickPreset(1);

    EXPECT_EQ(Log(), (std::vector<std::string>{"dns -> CLOUDFLARE 1.1.1.1", "dns: failed"}));
    // Only the undo was tried; Google's servers were never set.
    EXPECT_EQ(Commands(), (std::vector<std::u16string>{V4Static(u"192.168.1.1"), kV6Dhcp, kFlush}));
    EXPECT_TRUE(IsApplied(TestState(), "dns"));
    ASSERT_EQ(DnsCaptures().size(), 2u);
    EXPECT_EQ(NameServerText(DnsCaptures()[0]), u"192.168.1.1");
    EXPECT_EQ(TestState().BackupStore.at("dns.v4"), "1.1.1.1");
    EXPECT_EQ(StateShown(), "preset active");

    // Once netsh takes the name again, the user's own server comes back.
    sim::TheMachine().processes.exitCodes.clear();
    sim::TheMachine().processes.runs.clear();
    Click(DrawNetworkPage, DhcpButton());
    EXPECT_EQ(Commands().front(), V4Static(u"192.168.1.1"));
    EXPECT_FALSE(IsApplied(TestState(), "dns"));
}

TEST_F(NetworkPageTest, BackToDhcpRevertsThroughTheEngineAndLogsOnlyWhenItSucceeded) {
    const struct {
        const char* name;
        bool googleFirst;
        bool forgetInterface;
        std::vector<std::string> lines;
        std::vector<LogKind> kinds;
        std::vector<std::u16string> commands;
        bool appliedAfter;
    } rows[] = {
        {"nothing applied", false, false, {"dns -> dhcp"}, {LogKind::Info}, {}, false},
        {"Google applied",
         true,
         false,
         {"dns -> GOOGLE 8.8.8.8", "reverted  DNS Cloudflare", "dns -> dhcp"},
         {LogKind::Success, LogKind::Info, LogKind::Info},
         {V4Static(u"192.168.1.1"), kV6Dhcp, kFlush},
         false},
        {"no recorded interface",
         true,
         true,
         {"dns -> GOOGLE 8.8.8.8", "revert failed  DNS Cloudflare"},
         {LogKind::Success, LogKind::Error},
         {},
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fresh();
        UseEthernetWithOwnServer();
        if (row.googleFirst)
            ClickPreset(1);
        if (row.forgetInterface)
            TestState().BackupStore.erase("dns.alias");
        sim::TheMachine().processes.runs.clear();

        Click(DrawNetworkPage, DhcpButton());

        EXPECT_EQ(Log(), row.lines);
        std::vector<LogKind> kinds;
        for (const LogEntry& entry : TestState().LogEntries)
            kinds.push_back(entry.kind);
        EXPECT_EQ(kinds, row.kinds);
        EXPECT_EQ(Commands(), row.commands);
        EXPECT_EQ(IsApplied(TestState(), "dns"), row.appliedAfter);
        EXPECT_EQ(DnsCaptures().size(), row.appliedAfter ? 2u : 0u);
        EXPECT_EQ(StateShown(), row.appliedAfter ? "preset active" : "system");
    }
}

TEST_F(NetworkPageTest, TheListShowsTheFiveNetworkTweaksUnderOneHeader) {
    DrawPage(DrawNetworkPage);
    DrawPage(DrawNetworkPage);
    const ImDrawList* list = DrawListOf("##netlist");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(HeadersIn("##netlist"), std::vector<std::string>{"NETWORK"});
    EXPECT_EQ(DrawnTextsOfColour(list, ColTextMuted), std::vector<std::string>{"5"});
    EXPECT_EQ(DrawnTextsOfColour(list, Rgba(0xD2D2DAFF)),
              (std::vector<std::string>{"Nagle", "Network Throttling", "MMCSS reservation",
                                        "TCP stack", "DNS Cloudflare"}));
}

TEST_F(NetworkPageTest, TheDnsRowTurnsOnTheLastChosenPreset) {
    UseEthernetWithOwnServer();
    ClickPreset(2);
    Click(DrawNetworkPage, DhcpButton());
    sim::TheMachine().processes.runs.clear();
    // The fifth row under the header.
    const float spacing = ImGui::GetStyle().ItemSpacing.y;
    const float rowTop = S(214) + S(16) + spacing + S(22) + spacing + 4 * (S(56) + spacing);
    Click(DrawNetworkPage, ImVec2(Origin().x + S(40), Origin().y + rowTop + S(28)));
    EXPECT_EQ(Log().back(), "applied  DNS Cloudflare");
    EXPECT_EQ(Commands().front(), V4Static(u"9.9.9.9"));
    EXPECT_EQ(StateShown(), "preset active");
}

class NetworkPageLayoutTest : public NetworkPageTest, public ::testing::WithParamInterface<float> {
  protected:
    NetworkPageLayoutTest() : NetworkPageTest(ScaledLayout(GetParam())) {}
    // The box of what takes the hover fill while the mouse is at `at`.
    ImRect HoveredBox(ImVec2 at) const {
        HeadlessImGui::MoveMouse(at);
        DrawPage(DrawNetworkPage);
        DrawPage(DrawNetworkPage);
        return HeadlessImGui::ColourBox(DrawListOf("##body"), ColSurfaceHover);
    }
    void ExpectBox(const ImRect& box, float x, float y, float w, float h) const {
        ASSERT_FALSE(box.IsInverted());
        EXPECT_NEAR(box.Min.x, At(x, y).x, 1.5f);
        EXPECT_NEAR(box.Min.y, At(x, y).y, 1.5f);
        EXPECT_NEAR(box.Max.x, At(x + w, y + h).x, 1.5f);
        EXPECT_NEAR(box.Max.y, At(x + w, y + h).y, 1.5f);
    }
};

TEST_P(NetworkPageLayoutTest, TheCardItsButtonsAndTheListLieWhereTheLayoutPutsThem) {
    UseAdapters({{u"Ethernet"}});
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ExpectBox(HoveredBox(PresetButton(i)), 18 + 194 * static_cast<float>(i), 114, 186, 38);
    }
    ExpectBox(HoveredBox(DhcpButton()), 18, 160, 140, 28);
    EXPECT_TRUE(HoveredBox(At(18 + 186 + 4, 133)).IsInverted());  // between two buttons

    const ImRect card = HeadlessImGui::ColourBox(DrawListOf("##body"), ColPanel);
    ASSERT_FALSE(card.IsInverted());
    EXPECT_NEAR(card.Min.x, Origin().x, 1.5f);
    EXPECT_NEAR(card.Min.y, Origin().y, 1.5f);
    EXPECT_NEAR(card.Max.x, Origin().x + PageWidth(), 1.5f);
    EXPECT_NEAR(card.Max.y, Origin().y + S(200), 1.5f);

    const ImGuiWindow* list = HeadlessImGui::WindowNamed("##netlist");
    ASSERT_NE(list, nullptr);
    EXPECT_NEAR(list->Pos.x, Origin().x, 1.5f);
    EXPECT_NEAR(list->Pos.y, Origin().y + S(214), 1.5f);
    EXPECT_NEAR(list->Size.x, PageWidth(), 1.5f);
    EXPECT_NEAR(list->Pos.y + list->Size.y,
                bodyLayout.bodyPosition.y + bodyLayout.bodySize.y - S(2), 1.5f);

    for (const auto& [x, y, text] :
         {std::tuple{18.0f, 18.0f, "DNS"}, std::tuple{18.0f, 66.0f, "INTERFACE"},
          std::tuple{18.0f, 90.0f, "STATE"}}) {
        const auto shown = CardTextAt(x, y);
        ASSERT_TRUE(shown.has_value()) << text;
        EXPECT_EQ(shown->text, text);
    }
    EXPECT_EQ(CardTextAt(18, 38)->text,
              "writes on the active interface, reverts to DHCP or previous DNS.");
}

INSTANTIATE_TEST_SUITE_P(Scales, NetworkPageLayoutTest, ::testing::Values(1.0f, 1.25f, 1.5f));

}  // namespace
