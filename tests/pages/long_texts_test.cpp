// The longest texts of every page, drawn by the real frame with the program's own fonts (the
// Inter files stand in for the executable's resources, loaded by LoadFonts) at UI scales 1
// and 1.25, in the window at its opening size and at its minimum: the catalog's names and
// descriptions, the page's own wording, the longest log lines the program writes, and long
// but plausible machine values fed through the simulated machine. A text that is not meant to
// be cut is drawn whole inside its box; a text cut by design (TruncateWithEllipsis) is drawn
// whole or ends in "..." and stays inside its box either way.
#include <gtest/gtest.h>

#include <imgui.h>
#include <imgui_internal.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "actions/restore_point.h"
#include "engine/catalog.h"
#include "engine/profiles.h"
#include "net/dns.h"
#include "pages/session_page.h"
#include "platform/registry.h"
#include "platform/sim/sim.h"
#include "state/session_log.h"
#include "state/text.h"
#include "support/bytes.h"
#include "support/drawn_text.h"
#include "support/headless_imgui.h"
#include "support/sim_fixture.h"
#include "sysinfo/snapshot.h"
#include "ui/fonts.h"
#include "shell/frame.h"
#include "support/records.h"
#include "shell/page_table.h"
#include "ui/palette.h"
#include "ui/shell_state.h"

namespace {

using platform::kHkeyLocalMachine;

sim::Bytes FontFile(const char* name) {
    std::ifstream file(std::string(QF_FONT_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void PutText(const std::u16string& subkey, const std::u16string& name, const std::u16string& text) {
    sim::PutRegistryValue(kHkeyLocalMachine, subkey, name, platform::kRegSz,
                          Bytes().Utf16(text).Raw({0, 0}));
}

// Long, plausible values of a real machine.
constexpr char16_t kCpu[] = u"AMD Ryzen Threadripper PRO 7995WX 96-Cores";
constexpr char16_t kGpu[] = u"NVIDIA GeForce RTX 4090 Laptop GPU";
constexpr char16_t kBoardMaker[] = u"ASUSTeK COMPUTER INC.";
constexpr char16_t kBoardProduct[] = u"ProArt X870E-CREATOR WIFI";
constexpr char16_t kHost[] = u"DESKTOP-MW4QHWM";  // the 15 characters of a NetBIOS name
// A name Windows gives, and one a user typed (Windows takes up to 256 characters).
constexpr char16_t kAdapter[] = u"vEthernet (WSL (Hyper-V firewall))";
constexpr char16_t kRenamedAdapter[] =
    u"Onboard Intel(R) Ethernet Controller I226-V #2 (2.5 GbE), rear I/O panel, upper port, "
    u"patched to the office switch in the hall cupboard, VLAN 20";

// The longest lines the program logs, each with its kind.
struct Line {
    const char* message;
    LogKind kind;
};
const Line kLines[] = {
    {"revert failed  Exclusive fullscreen", LogKind::Error},
    {"revert all : 13 ok, 13 failures", LogKind::Warning},
    {"profile Competitive : 15 tweaks", LogKind::Success},
    {"state file unreadable: changes will not be kept", LogKind::Error},
    {"point denied (system protection disabled?)", LogKind::Warning},
    {"irreversible: preinstalled apps", LogKind::Warning},
    {"point skipped (one exists from the last 24 hours)", LogKind::Warning},
};

enum class Fit {
    Whole,      // not meant to be cut
    Cut,        // longer than its box by design of the case: must end in the ellipsis
    WholeOrCut  // cut by design when the box is too narrow
};

// One text and the box it must stay in, left to right; it starts inside the box, its pen
// between `top` and `bottom`.
struct Expected {
    std::string what;
    std::string text;
    ImU32 colour;
    float left;
    float right;
    Fit fit;
    float top = -FLT_MAX;
    float bottom = FLT_MAX;
};

// The window's width at scale 1, and the scale. The display is as tall as the longest page,
// so that nothing lies below the body's visible part; the widths are what the boxes depend on.
struct Window {
    float width;
    float scale;
};

void PrintTo(const Window& window, std::ostream* out) {
    *out << window.width << " wide at " << window.scale;
}

bool EndsInEllipsisOf(const std::string& drawn, const std::string& full) {
    const std::string ellipsis = "...";
    if (drawn.size() <= ellipsis.size() || !drawn.ends_with(ellipsis) || drawn == full)
        return false;
    return full.starts_with(drawn.substr(0, drawn.size() - ellipsis.size()));
}

class LongTextsTest : public SimTest, public ::testing::WithParamInterface<Window> {
  protected:
    void SetUp() override {
        SimTest::SetUp();
        TestState() = AppState{};
        TestShell().CurrentPage = 0;
        RestorePointBusy.store(false);
        SeedMachine();
        TakeMachineSnapshot();
        AppState& state = TestState();
        // Every tweak counted as applied, for the largest counts; nothing runs.
        for (const TweakEntry& entry : TweakCatalog)
            state.AppliedSet.emplace(entry.id);
        sim::TheMachine().localTime = platform::LocalTime{20, 48, 8};
        for (const Line& line : kLines)
            LogAction(state, line.message, line.kind);
        state.LastTick = 0;  // no toast over the pages
        for (const auto& [id, file] :
             {std::pair{kResourceInterMedium, "Inter-Medium.ttf"},
              std::pair{kResourceInterSemiBold, "Inter-SemiBold.ttf"},
              std::pair{kResourceInterDisplayBold, "InterDisplay-Bold.ttf"}}) {
            sim::TheMachine().resources[id] = FontFile(file);
            ASSERT_GT(sim::TheMachine().resources[id].size(), 100000u) << file;
        }
    }
    void TearDown() override {
        TestState() = AppState{};
        TestShell().CurrentPage = 0;
    }

    static void SeedMachine() {
        PutText(u"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", u"ProcessorNameString",
                kCpu);
        PutText(
            u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}"
            u"\\0000",
            u"DriverDesc", kGpu);
        PutText(u"HARDWARE\\DESCRIPTION\\System\\BIOS", u"BaseBoardManufacturer", kBoardMaker);
        PutText(u"HARDWARE\\DESCRIPTION\\System\\BIOS", u"BaseBoardProduct", kBoardProduct);
        sim::SystemInfo& info = sim::TheMachine().systemInfo;
        info.computerName = kHost;
        info.build = 26100;
        info.processors = 192;
        info.processorInformation.clear();
        for (int core = 0; core < 96; ++core) {
            const sim::Bytes entry = sim::ProcessorInformationEntry(0);
            info.processorInformation.insert(info.processorInformation.end(), entry.begin(),
                                             entry.end());
        }
        // 1019.5 GB of 1024.0 GB in use; 7449 GB of 7452 GB free.
        info.memory = {1024ull << 30, 9ull << 29};
        info.drives[u"C:\\"] = {7449ull << 30, 7452ull << 30};
        // 8759 h 59 m: a year less a minute.
        sim::TheMachine().tickMs = (8759ull * 3600 + 59 * 60) * 1000 + 500;
        sim::TheMachine().network.adapters = {
            {"{5D3A8E0C-1B2F-4C6D-9E8A-7F6B5C4D3E2A}", kAdapter, 6, 1}};
    }

    float S(float value) const { return value * GetParam().scale; }
    float DisplayWidth() const { return S(GetParam().width); }
    float PageLeft() const { return S(236) + S(28); }
    float PageTop() const { return S(117) + S(22); }
    float PageWidth() const { return DisplayWidth() - S(236) - S(56); }

    // Draws the page in the whole frame: once to bake its glyphs, then as read.
    static void Show(int page) {
        TestShell().CurrentPage = page;
        for (int i = 0; i < 3; ++i)
            HeadlessImGui::Frame([] { DrawFrame(TestState(), TestShell()); });
    }
    // Every text of the last frame, from every draw list.
    static std::vector<DrawnText> Texts() {
        std::vector<DrawnText> texts;
        for (const ImDrawList* list : ImGui::GetDrawData()->CmdLists) {
            const std::vector<DrawnText> some = DrawnTexts(list);
            texts.insert(texts.end(), some.begin(), some.end());
        }
        return texts;
    }

    // Each expected text is drawn, as its fit allows, inside its box.
    static void Check(const std::vector<Expected>& expected) {
        const std::vector<DrawnText> texts = Texts();
        for (const Expected& e : expected) {
            SCOPED_TRACE(e.what);
            int found = 0;
            for (const DrawnText& t : texts) {
                if (t.colour != e.colour || t.position.x < e.left - 1 || t.position.x > e.right ||
                    t.position.y < e.top || t.position.y > e.bottom)
                    continue;
                const bool whole = t.text == e.text;
                const bool cut = EndsInEllipsisOf(t.text, e.text);
                if (!whole && !cut)
                    continue;
                ++found;
                if (e.fit == Fit::Whole) {
                    EXPECT_TRUE(whole) << "cut to \"" << t.text << "\"";
                } else if (e.fit == Fit::Cut) {
                    EXPECT_TRUE(cut) << "drawn whole: \"" << t.text << "\" from " << t.box.Min.x
                                     << " to " << t.box.Max.x;
                }
                // The pen stands on a whole pixel, up to one left of the layout's place; the
                // edges are anti-aliased.
                EXPECT_GE(t.box.Min.x, e.left - 1.5f) << "\"" << t.text << "\"";
                EXPECT_LE(t.box.Max.x, e.right + 1)
                    << "\"" << t.text << "\" ends " << t.box.Max.x - e.right << " px past its box ["
                    << e.left << ", " << e.right << "]";
            }
            if (found == 0) {
                std::ostringstream seen;
                for (const DrawnText& t : texts) {
                    if (t.colour == e.colour)
                        seen << "\n  \"" << t.text << "\" at " << t.position.x;
                }
                ADD_FAILURE() << "\"" << e.text << "\" is not drawn, whole or cut, from [" << e.left
                              << ", " << e.right << "]; drawn in its colour:" << seen.str();
            }
        }
    }

    // A button's label: inside the button less its frame padding.
    Expected Label(const char* label, ImU32 colour, float left, float width) const {
        return {std::string("button ") + label, label,     colour, left + S(14),
                left + width - S(14),           Fit::Whole};
    }
    // The header above every page: the title left of the restore-point button, the caption
    // across the main area.
    std::vector<Expected> Header(int page) const {
        const float left = S(236) + S(28);
        std::vector<Expected> header;
        Add(header,
            {
                {"title", PageTitles[page], ColText, left, DisplayWidth() - S(28) - S(150) - S(10),
                 Fit::Whole},
                {"caption", PageCaption(page, kTweakCount), ColTextMuted, left,
                 DisplayWidth() - S(28), Fit::Whole},
                Label("RESTORE POINT", ColText, DisplayWidth() - S(28) - S(150), S(150)),
            },
            0, S(117));
        return header;
    }
    // Appends the expected texts to `all`, each with its pen between `top` and `bottom`.
    static void Add(std::vector<Expected>& all, const std::vector<Expected>& some, float top,
                    float bottom) {
        for (Expected e : some) {
            e.top = top;
            e.bottom = bottom;
            all.push_back(e);
        }
    }
    // The catalog rows of one category, or all, as the list at `listLeft` draws them.
    std::vector<Expected> Rows(float listLeft, const char* category) const {
        const float rowWidth = PageWidth() - S(12);
        const float x0 = listLeft + S(2);
        std::vector<Expected> rows;
        for (const TweakEntry& entry : TweakCatalog) {
            if (category != nullptr && std::string(entry.category) != category)
                continue;
            // The name ends before the risk badge, the badges before the toggle.
            rows.push_back({std::string("name of ") + entry.id, entry.name, ColText, x0,
                            x0 + S(194), Fit::Whole});
            rows.push_back({std::string("description of ") + entry.id, entry.description,
                            ColTextSecondary, x0, x0 + rowWidth - S(140), Fit::WholeOrCut});
            if (!entry.reversible) {
                rows.push_back({std::string("IRREV badge of ") + entry.id, "IRREV", ColTextMuted,
                                x0 + S(194), listLeft + rowWidth - S(54), Fit::Whole});
            }
        }
        return rows;
    }

    HeadlessImGui imgui{ImVec2(S(GetParam().width), S(2400)), GetParam().scale};
};

TEST_P(LongTextsTest, EachFontHandleHoldsTheInterFaceOfItsResource) {
    LoadFonts();
    const struct {
        const ImFont* font;
        int resource;
    } fonts[] = {{FontBody, kResourceInterMedium},
                 {FontSemibold, kResourceInterSemiBold},
                 {FontLabel, kResourceInterMedium},
                 {FontDisplay, kResourceInterDisplayBold}};
    for (const auto& [font, resource] : fonts) {
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->Sources[0]->FontDataSize,
                  static_cast<int>(sim::TheMachine().resources[resource].size()))
            << resource;
    }
}

TEST_P(LongTextsTest, Dashboard) {
    LoadFonts();
    Show(0);
    const float left = PageLeft();
    const float width = PageWidth();
    const float gap = S(14);
    const float tile = (width - 3 * gap) / 4;
    const auto tileText = [&](int i) {
        const float x = left + static_cast<float>(i) * (tile + gap) + S(16);
        return std::pair{x, x + tile - S(32)};
    };
    const float systemWidth = 0.6f * width - S(7);
    const float rowLeft = left + S(18);
    const float rowRight = left + systemWidth - S(18);
    const float profileLeft = left + systemWidth + gap;
    const float profileWidth = width - systemWidth - gap;
    // The tiles, then the system and profile cards, then the session card.
    const float tilesTop = PageTop();
    const float cardsTop = tilesTop + S(108) + gap;
    const float sessionTop = cardsTop + S(252) + gap;
    const std::vector<Expected> tiles = {
        {"cpu caption", ToUtf8(kCpu), ColTextSecondary, tileText(0).first, tileText(0).second,
         Fit::Cut},
        {"memory value", "1019.5 GB", ColText, tileText(1).first, tileText(1).second, Fit::Whole},
        {"memory caption", "of 1024.0 GB", ColTextSecondary, tileText(1).first, tileText(1).second,
         Fit::Whole},
        {"gpu value", ToUtf8(kGpu), ColText, tileText(2).first, tileText(2).second, Fit::Cut},
        {"gpu caption", "primary adapter", ColTextSecondary, tileText(2).first, tileText(2).second,
         Fit::Whole},
        {"disk value", "7449 GB", ColText, tileText(3).first, tileText(3).second, Fit::Whole},
        {"disk caption", "of 7452 GB", ColTextSecondary, tileText(3).first, tileText(3).second,
         Fit::Whole},
    };
    const std::vector<Expected> cards = {
        {"host", ToUtf8(kHost), ColText, rowLeft + S(150), rowRight, Fit::Whole},
        {"os", "Windows 11  build 26100", ColText, rowLeft + S(150), rowRight, Fit::Whole},
        {"cpu", ToUtf8(kCpu), ColText, rowLeft + S(150), rowRight, Fit::WholeOrCut},
        {"gpu", ToUtf8(kGpu), ColText, rowLeft + S(150), rowRight, Fit::WholeOrCut},
        {"board", ToUtf8(std::u16string(kBoardMaker) + u" " + kBoardProduct), ColText,
         rowLeft + S(150), rowRight, Fit::WholeOrCut},
        {"cores", "96C / 192T", ColText, rowLeft + S(150), rowRight, Fit::Whole},
        {"uptime", "8759 h 59 m", ColText, rowLeft + S(150), rowRight, Fit::Whole},
        {"UPTIME label", "UPTIME", ColTextMuted, rowLeft, rowLeft + S(150), Fit::Whole},
        {"active tweaks", std::to_string(kTweakCount), ColText, profileLeft + S(18),
         profileLeft + profileWidth - S(18), Fit::Whole},
        {"ACTIVE TWEAKS", "ACTIVE TWEAKS", ColTextMuted, profileLeft + S(18),
         profileLeft + profileWidth - S(18), Fit::Whole},
        Label("COMPETITIVE", ColText, profileLeft + S(18), profileWidth - S(36)),
        Label("BALANCED", ColText, profileLeft + S(18), profileWidth - S(36)),
        Label("REVERT ALL", ColDanger, profileLeft + S(18), profileWidth - S(36)),
    };
    std::vector<Expected> session = {
        {"session heading", "APPEND -> SESSION.LOG", ColTextMuted, left + width - S(146),
         left + width - S(18), Fit::Whole},
    };
    // The newest six lines: the time, then the message up to the card's padding.
    for (std::size_t i = std::size(kLines) - 6; i < std::size(kLines); ++i) {
        session.push_back(
            {"time", "20:48:08", ColTextMuted, left + S(18), left + S(88) - S(4), Fit::Whole});
        session.push_back({kLines[i].message, kLines[i].message, LogMessageColour(kLines[i].kind),
                           left + S(88), left + width - S(28), Fit::Whole});
    }
    std::vector<Expected> expected = Header(0);
    Add(expected, tiles, tilesTop, cardsTop);
    Add(expected, cards, cardsTop, sessionTop);
    Add(expected, session, sessionTop, FLT_MAX);
    Check(expected);
}

TEST_P(LongTextsTest, Tweaks) {
    LoadFonts();
    Show(1);
    std::vector<Expected> expected = Rows(PageLeft(), nullptr);
    expected.push_back(Label("SAFE ONLY", ColText, PageLeft() + PageWidth() - S(126), S(126)));
    for (const Expected& e : Header(1))
        expected.push_back(e);
    Check(expected);
}

TEST_P(LongTextsTest, Network) {
    LoadFonts();
    const float left = PageLeft();
    const float width = PageWidth();
    for (const char16_t* alias : {kAdapter, kRenamedAdapter}) {
        SCOPED_TRACE(ToUtf8(alias));
        sim::TheMachine().network.adapters.front().friendlyName = alias;
        Show(2);
        std::vector<Expected> expected = Rows(left, "Network");
        expected.push_back({"dns card",
                            "writes on the active interface, reverts to DHCP or previous DNS.",
                            ColTextMuted, left + S(18), left + width - S(18), Fit::Whole});
        expected.push_back({"interface", ToUtf8(alias), ColText, left + S(120),
                            left + width - S(40), alias == kAdapter ? Fit::Whole : Fit::Cut});
        for (std::size_t i = 0; i < kDnsPresets.size(); ++i) {
            expected.push_back(Label(kDnsPresets[i].label, ColText,
                                     left + S(18) + static_cast<float>(i) * S(194), S(186)));
        }
        expected.push_back(Label("BACK TO DHCP", ColTextSecondary, left + S(18), S(140)));
        for (const Expected& e : Header(2))
            expected.push_back(e);
        Check(expected);
    }
}

TEST_P(LongTextsTest, Debloat) {
    LoadFonts();
    Show(3);
    const float left = PageLeft();
    const float width = PageWidth();
    const float cardRight = left + width - S(18);
    std::vector<Expected> expected = {
        {"title", "PREINSTALLED APPS", ColAccent, left + S(18), cardRight, Fit::Whole},
        {"badge", "16 packages", ColTextMuted, left + S(18), cardRight, Fit::Whole},
        {"badge", "IRREVERSIBLE", ColDanger, left + S(18), cardRight, Fit::Whole},
        {"description", "Removes 16 unneeded Store packages for all profiles. Permanent.",
         ColTextSecondary, left + S(18), left + width - S(242), Fit::WholeOrCut},
        {"title", "SIDECAR SERVICES", ColAccent, left + S(18), cardRight, Fit::Whole},
        {"badge", "5 services", ColTextMuted, left + S(18), cardRight, Fit::Whole},
        {"description",
         "MapsBroker, RemoteRegistry, RetailDemo, WMPNetworkSvc, Fax. State captured before.",
         ColTextSecondary, left + S(18), left + width - S(242), Fit::WholeOrCut},
        {"title", "TELEMETRY TASKS", ColAccent, left + S(18), cardRight, Fit::Whole},
        {"badge", "9 tasks", ColTextMuted, left + S(18), cardRight, Fit::Whole},
        {"description", "CEIP, Appraiser, Feedback, QueueReporting. Reversible via schtasks.",
         ColTextSecondary, left + S(18), left + width - S(242), Fit::WholeOrCut},
        Label("REVERT", ColTextSecondary, left + width - S(18) - S(150), S(150)),
        {"state", "APPLIED", ColSuccess, left + S(18), left + width - S(18) - S(150), Fit::Whole},
    };
    for (const Expected& e : Header(3))
        expected.push_back(e);
    Check(expected);

    // The confirmation, opened from the first card with nothing applied.
    TestState().AppliedSet.clear();
    Show(3);
    HeadlessImGui::MoveMouse(ImVec2(left + width - S(18) - S(75), PageTop() + S(66) + S(17)));
    Show(3);
    HeadlessImGui::Press();
    Show(3);
    HeadlessImGui::Release();
    Show(3);
    const ImGuiWindow* popup = HeadlessImGui::WindowNamed("##confirmappx");
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->Active);
    const float popupLeft = popup->WorkRect.Min.x;
    const float popupRight = popup->WorkRect.Max.x;
    Check({
        {"question", "Remove preinstalled apps?", ColText, popupLeft, popupRight, Fit::Whole},
        {"warning", "No automatic rollback.", ColTextSecondary, popupLeft, popupRight, Fit::Whole},
        {"warning", "Packages remain recoverable via the Store.", ColTextSecondary, popupLeft,
         popupRight, Fit::Whole},
        Label("CONFIRM", ColDanger, popupLeft, S(140)),
        Label("CANCEL", ColTextSecondary, popupLeft + S(140) + S(8), S(120)),
    });
}

TEST_P(LongTextsTest, Profiles) {
    LoadFonts();
    Show(4);
    const float left = PageLeft();
    const float cardWidth = (PageWidth() - S(14)) / 2;
    const char* const descriptions[] = {
        "Minimum latency, capture off, network prioritized.",
        "Clean gains, system services untouched.",
        "Battery and thermals, no aggressive tweak.",
        "Stable OBS, MMCSS and network prioritized.",
    };
    const char* const names[] = {"Competitive", "Balanced", "Laptop", "Streamer"};
    std::vector<Expected> expected;
    for (int i = 0; i < 4; ++i) {
        const float corner = left + static_cast<float>(i % 2) * (cardWidth + S(14));
        const float inner = corner + S(18);
        const float right = corner + cardWidth - S(18);
        const std::size_t count = ProfileTweaks(names[i]).size();
        const std::string counter = std::to_string(count) + " / " + std::to_string(count);
        expected.push_back({"name", names[i], ColText, inner, right, Fit::Whole});
        expected.push_back(
            {"description", descriptions[i], ColTextSecondary, inner, right, Fit::WholeOrCut});
        expected.push_back({"counter", counter, ColText, inner, right, Fit::Whole});
        expected.push_back({"TWEAKS", "TWEAKS", ColTextMuted, inner, right, Fit::Whole});
        expected.push_back(Label("APPLY", ColText, inner, S(132)));
        expected.push_back(Label("VIEW", ColTextSecondary, corner + S(158), S(90)));
    }
    for (const Expected& e : Header(4))
        expected.push_back(e);
    Check(expected);
}

TEST_P(LongTextsTest, Log) {
    LoadFonts();
    Show(5);
    const float left = PageLeft();
    // The list's own width, less its scroll bar.
    const float right = left + PageWidth() - S(4);
    std::vector<Expected> expected = {
        Label("OPEN LOG", ColText, left, S(150)),
        Label("CLEAR", ColTextSecondary, left + S(150) + S(8), S(100)),
    };
    for (const Line& line : kLines) {
        expected.push_back({"time", "20:48:08", ColTextMuted, left, right, Fit::Whole});
        expected.push_back(
            {line.message, line.message, LogMessageColour(line.kind), left, right, Fit::Whole});
    }
    for (const Expected& e : Header(5))
        expected.push_back(e);
    Check(expected);
}

// The window as wide as it opens and as narrow as it gets, at both scales.
INSTANTIATE_TEST_SUITE_P(OpeningAndMinimumWidths, LongTextsTest,
                         ::testing::Values(Window{1120, 1.0f}, Window{980, 1.0f},
                                           Window{1120, 1.25f}, Window{980, 1.25f}));

}  // namespace
