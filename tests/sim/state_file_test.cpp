// The state.bin format, byte for byte, and the load rules for short, odd and foreign files.
#include <gtest/gtest.h>

#include "state/state_file.h"
#include "support/bytes.h"
#include "support/sim_fixture.h"
#include "support/state_matchers.h"

namespace {

RegistryCapture MenuDelayCapture() {
    return {RegistryRoot::CurrentUser,     u"Control Panel\\Desktop", u"MenuShowDelay", true, 1,
            {'4', 0, '0', 0, '0', 0, 0, 0}};
}

RegistryCapture AbsentPolicyCapture() {
    return {RegistryRoot::LocalMachine,
            u"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection",
            u"AllowTelemetry",
            false,
            0,
            {}};
}

// A state touching every section, and its file with the offsets where each part ends.
struct Reference {
    AppState state;
    Bytes file;
    std::size_t afterAppliedSet = 0;
    std::size_t insideFirstRecord = 0;
    std::size_t afterFirstRecord = 0;
    std::size_t afterRegistry = 0;
    std::size_t afterServices = 0;
    std::size_t afterFlag = 0;
    std::size_t afterFirstStoreEntry = 0;
};

Reference MakeReference() {
    Reference r;
    r.state.AppliedSet = {"dns", "menudelay", "telemetry"};
    r.state.RegistryBackups["menudelay"] = {MenuDelayCapture()};
    r.state.RegistryBackups["telemetry"] = {AbsentPolicyCapture()};
    r.state.ServiceBackups["diagtrack"] = {{u"DiagTrack", true, 2},
                                           {u"dmwappushservice", false, 0}};
    r.state.RestorePointCreated = true;
    r.state.BackupStore = {{"dns.alias", "Ethernet"}, {"powerplan.prev", "{381b4222}"}};

    Bytes& f = r.file;
    f.Magic().U32(3).Str8("dns").Str8("menudelay").Str8("telemetry");
    r.afterAppliedSet = f.Size();
    f.U32(2).Str8("menudelay").U32(1);
    f.U32(0x80000001).Str16(u"Control Panel\\Desktop");
    r.insideFirstRecord = f.Size();
    f.Str16(u"MenuShowDelay").U32(1).U32(1).U32(8).Raw({'4', 0, '0', 0, '0', 0, 0, 0});
    r.afterFirstRecord = f.Size();
    f.Str8("telemetry").U32(1);
    f.U32(0x80000002)
        .Str16(u"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection")
        .Str16(u"AllowTelemetry")
        .U32(0)
        .U32(0)
        .U32(0);
    r.afterRegistry = f.Size();
    f.U32(1).Str8("diagtrack").U32(2);
    f.Str16(u"DiagTrack").U32(1).U32(2);
    f.Str16(u"dmwappushservice").U32(0).U32(0);
    r.afterServices = f.Size();
    f.U32(1);
    r.afterFlag = f.Size();
    f.U32(2).Str8("dns.alias").Str8("Ethernet");
    r.afterFirstStoreEntry = f.Size();
    f.Str8("powerplan.prev").Str8("{381b4222}");
    return r;
}

AppState Decode(const std::vector<std::uint8_t>& bytes) {
    AppState state;
    static_cast<void>(DecodeState(bytes, state));
    return state;
}

std::vector<std::uint8_t> Prefix(const Bytes& file, std::size_t length) {
    return {file.get().begin(), file.get().begin() + static_cast<std::ptrdiff_t>(length)};
}

TEST(StateFormat, EmptyStateIsTheMagicAndFiveZeroWords) {
    const std::vector<std::uint8_t> expected = Bytes().Magic().U32(0).U32(0).U32(0).U32(0).U32(0);
    EXPECT_EQ(EncodeState(AppState{}), expected);
    EXPECT_EQ(expected.size(), 28u);
}

TEST(StateFormat, EveryFieldIsWrittenInItsPlace) {
    const Reference r = MakeReference();
    EXPECT_EQ(EncodeState(r.state), r.file.get());
    EXPECT_TRUE(SamePersisted(Decode(r.file), r.state));
}

TEST(StateFormat, KeysAreWrittenInByteOrder) {
    AppState state;
    state.AppliedSet = {"\xC3\xA9t\xC3\xA9", "b", "ab", "a", "B"};
    const std::vector<std::uint8_t> expected = Bytes()
                                                   .Magic()
                                                   .U32(5)
                                                   .Str8("B")
                                                   .Str8("a")
                                                   .Str8("ab")
                                                   .Str8("b")
                                                   .Str8("\xC3\xA9t\xC3\xA9")
                                                   .U32(0)
                                                   .U32(0)
                                                   .U32(0)
                                                   .U32(0);
    EXPECT_EQ(EncodeState(state), expected);
}

TEST(StateFormat, NonAsciiEmptyStringsAndEmptyDataRoundTrip) {
    AppState state;
    state.AppliedSet = {"", "caf\xC3\xA9"};
    state.RegistryBackups["\xF0\x9F\x98\x80"] = {{RegistryRoot::CurrentUser, u"", u"", true, 3, {}},
                                                 {RegistryRoot::LocalMachine,
                                                  u"Sch\u00FCssel\\\U0001F600",
                                                  u"Wert \u20AC",
                                                  true,
                                                  3,
                                                  {0, 0xFF, 0x80}}};
    state.ServiceBackups[""] = {{u"", false, 0}, {u"D\u00EFenst", true, 4}};
    state.BackupStore = {{"", ""}, {"dns.alias", "W\xC3\xA4rme \xE2\x82\xAC"}};
    const std::vector<std::uint8_t> file = EncodeState(state);
    const AppState loaded = Decode(file);
    EXPECT_TRUE(SamePersisted(loaded, state));
    EXPECT_EQ(EncodeState(loaded), file);
}

TEST(StateFormat, TheUtf16FormsAreLittleEndianCodeUnits) {
    AppState state;
    state.ServiceBackups["x"] = {{u"\u00E9\U0001F600", true, 4}};
    const std::vector<std::uint8_t> expected = Bytes()
                                                   .Magic()
                                                   .U32(0)
                                                   .U32(0)
                                                   .U32(1)
                                                   .Str8("x")
                                                   .U32(1)
                                                   .U32(3)
                                                   .Raw({0xE9, 0x00, 0x3D, 0xD8, 0x00, 0xDE})
                                                   .U32(1)
                                                   .U32(4)
                                                   .U32(0)
                                                   .U32(0);
    EXPECT_EQ(EncodeState(state), expected);
}

struct TruncationCase {
    const char* name;
    std::size_t (*length)(const Reference&);
    void (*expect)(const Reference&, AppState&);  // turns the reference into what loads
};

const TruncationCase kTruncations[] = {
    {"nothing", [](const Reference&) -> std::size_t { return 0; },
     [](const Reference&, AppState& s) { s = AppState{}; }},
    {"part of the magic", [](const Reference&) -> std::size_t { return 5; },
     [](const Reference&, AppState& s) { s = AppState{}; }},
    {"the magic alone", [](const Reference&) -> std::size_t { return 8; },
     [](const Reference&, AppState& s) { s = AppState{}; }},
    {"eleven bytes", [](const Reference&) -> std::size_t { return 11; },
     [](const Reference&, AppState& s) { s = AppState{}; }},
    {"inside the applied set", [](const Reference&) -> std::size_t { return 12 + 4 + 3 + 2; },
     [](const Reference&, AppState& s) { s = AppState{}, s.AppliedSet = {"dns"}; }},
    {"after the applied set", [](const Reference& r) { return r.afterAppliedSet; },
     [](const Reference& r, AppState& s) { s = AppState{}, s.AppliedSet = r.state.AppliedSet; }},
    {"before the first record count",
     [](const Reference& r) { return r.afterAppliedSet + 4 + 4 + 9; },
     [](const Reference& r, AppState& s) { s = AppState{}, s.AppliedSet = r.state.AppliedSet; }},
    {"inside the first registry record", [](const Reference& r) { return r.insideFirstRecord; },
     [](const Reference& r, AppState& s) {
         s = AppState{};
         s.AppliedSet = r.state.AppliedSet;
         s.RegistryBackups["menudelay"] = {};
     }},
    {"inside the data of a registry record",
     [](const Reference& r) { return r.afterFirstRecord - 1; },
     [](const Reference& r, AppState& s) {
         s = AppState{};
         s.AppliedSet = r.state.AppliedSet;
         s.RegistryBackups["menudelay"] = {};
     }},
    {"after the first registry record", [](const Reference& r) { return r.afterFirstRecord; },
     [](const Reference& r, AppState& s) {
         s = AppState{};
         s.AppliedSet = r.state.AppliedSet;
         s.RegistryBackups["menudelay"] = r.state.RegistryBackups.at("menudelay");
     }},
    {"after the registry captures", [](const Reference& r) { return r.afterRegistry; },
     [](const Reference& r, AppState& s) {
         s = r.state;
         s.ServiceBackups.clear();
         s.RestorePointCreated = false;
         s.BackupStore.clear();
     }},
    {"inside a service record", [](const Reference& r) { return r.afterServices - 2; },
     [](const Reference& r, AppState& s) {
         s = r.state;
         s.ServiceBackups["diagtrack"].pop_back();
         s.RestorePointCreated = false;
         s.BackupStore.clear();
     }},
    {"after the service captures", [](const Reference& r) { return r.afterServices; },
     [](const Reference& r, AppState& s) {
         s = r.state;
         s.RestorePointCreated = false;
         s.BackupStore.clear();
     }},
    {"inside the flag", [](const Reference& r) { return r.afterServices + 3; },
     [](const Reference& r, AppState& s) {
         s = r.state;
         s.RestorePointCreated = false;
         s.BackupStore.clear();
     }},
    {"after the flag", [](const Reference& r) { return r.afterFlag; },
     [](const Reference& r, AppState& s) { s = r.state, s.BackupStore.clear(); }},
    {"between a store key and its value",
     [](const Reference& r) { return r.afterFirstStoreEntry + 4 + 14; },
     [](const Reference& r, AppState& s) {
         s = r.state;
         s.BackupStore.erase("powerplan.prev");
     }},
    {"one byte short", [](const Reference& r) { return r.file.Size() - 1; },
     [](const Reference& r, AppState& s) {
         s = r.state;
         s.BackupStore.erase("powerplan.prev");
     }},
    {"whole", [](const Reference& r) { return r.file.Size(); },
     [](const Reference& r, AppState& s) { s = r.state; }},
};

TEST(StateFormat, ATruncatedFileKeepsWhatWasReadBeforeTheCut) {
    const Reference r = MakeReference();
    for (const TruncationCase& row : kTruncations) {
        SCOPED_TRACE(row.name);
        AppState expected;
        row.expect(r, expected);
        const AppState loaded = Decode(Prefix(r.file, row.length(r)));
        EXPECT_TRUE(SamePersisted(loaded, expected));
        // What was loaded is saved back as a file that loads the same.
        EXPECT_TRUE(SamePersisted(Decode(EncodeState(loaded)), loaded));
    }
}

TEST(StateFormat, AnyOtherMagicIsAForeignFile) {
    std::vector<std::uint8_t> file = MakeReference().file;
    for (const std::size_t at : {0u, 5u, 6u, 7u}) {
        SCOPED_TRACE(at);
        std::vector<std::uint8_t> foreign = file;
        foreign[at] ^= 0x01;
        EXPECT_TRUE(SamePersisted(Decode(foreign), AppState{}));
    }
}

TEST(StateFormat, AnyNonZeroFlagWordLoadsAsTrueAndSavesAsOne) {
    const std::vector<std::uint8_t> file = Bytes().Magic().U32(0).U32(0).U32(0).U32(2).U32(0);
    const AppState loaded = Decode(file);
    EXPECT_TRUE(loaded.RestorePointCreated);
    const std::vector<std::uint8_t> saved = Bytes().Magic().U32(0).U32(0).U32(0).U32(1).U32(0);
    EXPECT_EQ(EncodeState(loaded), saved);
}

TEST(StateFormat, AnyNonZeroExistedWordLoadsAsTrueAndSavesAsOne) {
    Bytes file;
    file.Magic().U32(0).U32(1).Str8("t").U32(1);
    file.U32(0x80000001).Str16(u"k").Str16(u"v").U32(7).U32(4).U32(0);
    file.U32(1).Str8("s").U32(1).Str16(u"svc").U32(0x100).U32(3);
    file.U32(0).U32(0);
    const AppState loaded = Decode(file);
    ASSERT_EQ(loaded.RegistryBackups.at("t").size(), 1u);
    EXPECT_TRUE(loaded.RegistryBackups.at("t")[0].existed);
    EXPECT_TRUE(loaded.ServiceBackups.at("s")[0].existed);
    const std::vector<std::uint8_t> saved = EncodeState(loaded);
    Bytes expected;
    expected.Magic().U32(0).U32(1).Str8("t").U32(1);
    expected.U32(0x80000001).Str16(u"k").Str16(u"v").U32(1).U32(4).U32(0);
    expected.U32(1).Str8("s").U32(1).Str16(u"svc").U32(1).U32(3);
    expected.U32(0).U32(0);
    EXPECT_EQ(saved, expected.get());
}

TEST(StateFormat, AnUnknownRootIsKeptAsItsRawValue) {
    Bytes file;
    file.Magic().U32(0).U32(1).Str8("t").U32(1);
    file.U32(0x80000003).Str16(u"k").Str16(u"v").U32(1).U32(4).U32(4).Raw({1, 0, 0, 0});
    file.U32(0).U32(0).U32(0);
    const AppState loaded = Decode(file);
    EXPECT_EQ(static_cast<std::uint32_t>(loaded.RegistryBackups.at("t")[0].root), 0x80000003u);
    EXPECT_EQ(EncodeState(loaded), file.get());
}

TEST(StateFormat, RepeatedIdsAndKeysMerge) {
    Bytes file;
    file.Magic().U32(3).Str8("dns").Str8("dns").Str8("fso");
    file.U32(2);
    file.Str8("menudelay").U32(1).U32(0x80000001).Str16(u"a").Str16(u"x").U32(1).U32(4).U32(0);
    file.Str8("menudelay").U32(1).U32(0x80000001).Str16(u"b").Str16(u"y").U32(0).U32(0).U32(0);
    file.U32(2).Str8("svc").U32(1).Str16(u"A").U32(1).U32(2);
    file.Str8("svc").U32(1).Str16(u"B").U32(1).U32(3);
    file.U32(0);
    file.U32(2).Str8("dns.v4").Str8("first").Str8("dns.v4").Str8("second");
    const AppState loaded = Decode(file);
    EXPECT_EQ(loaded.AppliedSet, (std::set<std::string, std::less<>>{"dns", "fso"}));
    const auto& records = loaded.RegistryBackups.at("menudelay");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].subkey, u"a");
    EXPECT_EQ(records[1].subkey, u"b");
    ASSERT_EQ(loaded.ServiceBackups.at("svc").size(), 2u);
    EXPECT_EQ(loaded.ServiceBackups.at("svc")[1].serviceName, u"B");
    EXPECT_EQ(loaded.BackupStore.at("dns.v4"), "second");
}

TEST(StateFormat, HugeCountsAndLengthsEndTheLoadWithoutReadingPastTheEnd) {
    const Bytes manyIds = Bytes().Magic().U32(0xFFFFFFFF).Str8("dns");
    EXPECT_EQ(Decode(manyIds).AppliedSet.size(), 1u);
    const Bytes longString = Bytes().Magic().U32(1).U32(0xFFFFFFFF).Raw({'d', 'n', 's'});
    EXPECT_TRUE(Decode(longString).AppliedSet.empty());
    Bytes longData;
    longData.Magic().U32(0).U32(1).Str8("t").U32(1);
    longData.U32(0x80000001).Str16(u"k").Str16(u"v").U32(1).U32(3).U32(0xFFFFFFF0).Raw({1, 2});
    const AppState loaded = Decode(longData);
    ASSERT_EQ(loaded.RegistryBackups.count("t"), 1u);
    EXPECT_TRUE(loaded.RegistryBackups.at("t").empty());
}

class StateFileTest : public SimTest {};

TEST_F(StateFileTest, LoadReadsTheFileInTheDataFolderAndKeepsTheLog) {
    const Reference r = MakeReference();
    sim::PutFile(StatePath(), r.file);
    AppState state;
    state.LogEntries.push_back({u"10:00:00", "earlier", LogKind::Info, {}});
    state.LastMessage = "earlier";
    state.AppliedSet = {"stale"};
    LoadState(state);
    EXPECT_TRUE(SamePersisted(state, r.state));
    EXPECT_EQ(state.LogEntries.size(), 1u);
    EXPECT_EQ(state.LastMessage, "earlier");
    EXPECT_TRUE(NoHandleOpen());
}

TEST_F(StateFileTest, AMissingLockedOrHugeFileLoadsAsTheEmptyState) {
    AppState state;
    state.AppliedSet = {"stale"};
    state.RestorePointCreated = true;
    LoadState(state);
    EXPECT_TRUE(SamePersisted(state, AppState{}));

    sim::PutFile(StatePath(), MakeReference().file);
    sim::TheMachine().fileFaults.createErrors[StatePath()] = platform::kErrorSharingViolation;
    LoadState(state);
    EXPECT_TRUE(SamePersisted(state, AppState{}));

    sim::TheMachine().fileFaults.createErrors.clear();
    sim::TheMachine().fileFaults.reportedSizes[StatePath()] = std::uint64_t{1} << 32;
    LoadState(state);
    EXPECT_TRUE(SamePersisted(state, AppState{}));
    EXPECT_TRUE(NoHandleOpen());
}

TEST_F(StateFileTest, ALeftoverTemporaryFileIsIgnored) {
    const Reference r = MakeReference();
    sim::PutFile(StatePath(), r.file);
    sim::PutFile(StatePath() + u".tmp", EncodeState(AppState{}));
    AppState state;
    LoadState(state);
    EXPECT_TRUE(SamePersisted(state, r.state));
}

TEST_F(StateFileTest, WithoutALocalAppDataFolderTheFileIsInTheCurrentDirectory) {
    sim::TheMachine().localAppData.reset();
    EXPECT_EQ(StateFilePath(), u".\\state.bin");
    sim::PutFile(u".\\state.bin", MakeReference().file);
    AppState state;
    LoadState(state);
    EXPECT_TRUE(SamePersisted(state, MakeReference().state));
}

}  // namespace
