// Capturing writes and restores on the simulated registry, including every failure branch.
#include <gtest/gtest.h>

#include <optional>

#include "actions/registry.h"
#include "platform/registry.h"
#include "support/bytes.h"
#include "support/refusal_print.h"
#include "support/sim_fixture.h"

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

const std::u16string kDesktop = u"Control Panel\\Desktop";
const std::u16string kPolicy = u"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection";

class RegistryTest : public SimTest {
  protected:
    static std::optional<sim::RegistryValue> Value(std::uint32_t root, const std::u16string& key,
                                                   const std::u16string& name) {
        return sim::RegistryValueOf(root, key, name);
    }
    static bool NoKeyOpen() { return sim::TheMachine().registry.open.empty(); }
    AppState state;
};

TEST_F(RegistryTest, EachCapturingWriteIsUndoneByItsRestore) {
    sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"MenuShowDelay", platform::kRegSz,
                          RegSz(u"400"));
    sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"Flags", platform::kRegBinary, {1, 2, 3});
    const auto before = sim::TheMachine().registry.keys;

    ASSERT_TRUE(SetStringCaptured(state, "menudelay", RegistryRoot::CurrentUser, kDesktop,
                                  u"MenuShowDelay", u"0")
                    .Ok());
    ASSERT_TRUE(SetDwordCaptured(state, "menudelay", RegistryRoot::CurrentUser, kDesktop,
                                 u"HungAppTimeout", 1000)
                    .Ok());
    const std::uint8_t bytes[] = {9, 8};
    ASSERT_TRUE(
        SetBinaryCaptured(state, "menudelay", RegistryRoot::CurrentUser, kDesktop, u"Flags", bytes)
            .Ok());
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"MenuShowDelay"),
              (sim::RegistryValue{platform::kRegSz, RegSz(u"0")}));
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"HungAppTimeout"),
              (sim::RegistryValue{platform::kRegDword, {0xE8, 0x03, 0, 0}}));
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"Flags"),
              (sim::RegistryValue{platform::kRegBinary, {9, 8}}));

    const auto& captures = state.RegistryBackups.at("menudelay");
    ASSERT_EQ(captures.size(), 3u);
    EXPECT_TRUE(captures[0].existed);
    EXPECT_EQ(captures[0].type, platform::kRegSz);
    EXPECT_EQ(captures[0].data, RegSz(u"400"));
    EXPECT_FALSE(captures[1].existed);
    EXPECT_EQ(captures[1].type, 0u);
    EXPECT_TRUE(captures[1].data.empty());
    for (auto capture = captures.rbegin(); capture != captures.rend(); ++capture) {
        EXPECT_TRUE(RestoreRegistryValue(*capture).Ok());
    }
    EXPECT_EQ(
        sim::TheMachine().registry.keys.at(u"HKEY_CURRENT_USER\\Control Panel\\Desktop").values,
        before.at(u"HKEY_CURRENT_USER\\Control Panel\\Desktop").values);
    EXPECT_TRUE(NoKeyOpen());
}

TEST_F(RegistryTest, AKeyCreatedByTheWriteStaysEmptyAfterTheRestore) {
    ASSERT_TRUE(SetDwordCaptured(state, "telemetry", RegistryRoot::LocalMachine, kPolicy,
                                 u"AllowTelemetry", 0)
                    .Ok());
    EXPECT_TRUE(RestoreRegistryValue(state.RegistryBackups.at("telemetry")[0]).Ok());
    EXPECT_TRUE(sim::RegistryKeyExists(kHkeyLocalMachine, kPolicy));
    EXPECT_FALSE(Value(kHkeyLocalMachine, kPolicy, u"AllowTelemetry").has_value());
}

TEST_F(RegistryTest, RestoringAnAbsentValueNeverCreatesAKey) {
    const RegistryCapture absent{RegistryRoot::CurrentUser, u"Software\\Gone", u"X", false, 0, {}};
    EXPECT_TRUE(RestoreRegistryValue(absent).Ok());
    EXPECT_FALSE(sim::RegistryKeyExists(kHkeyCurrentUser, u"Software\\Gone"));
    sim::PutRegistryValue(kHkeyCurrentUser, u"Software\\Here", u"Other", 4, {1, 0, 0, 0});
    const RegistryCapture alreadyGone{
        RegistryRoot::CurrentUser, u"Software\\Here", u"X", false, 0, {}};
    EXPECT_TRUE(RestoreRegistryValue(alreadyGone).Ok());
}

TEST_F(RegistryTest, AZeroLengthValueRoundTrips) {
    sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"Empty", platform::kRegBinary, {});
    ASSERT_TRUE(
        SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, kDesktop, u"Empty", 7).Ok());
    const RegistryCapture& capture = state.RegistryBackups.at("t")[0];
    EXPECT_TRUE(capture.existed);
    EXPECT_TRUE(capture.data.empty());
    EXPECT_TRUE(RestoreRegistryValue(capture).Ok());
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"Empty"),
              (sim::RegistryValue{platform::kRegBinary, {}}));
}

TEST_F(RegistryTest, TwoCapturesOfOneValueRestoredLastToFirstLeaveTheOlder) {
    sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"V", platform::kRegDword, {1, 0, 0, 0});
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, kDesktop, u"V", 2).Ok());
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, kDesktop, u"V", 3).Ok());
    const auto& captures = state.RegistryBackups.at("t");
    EXPECT_TRUE(RestoreRegistryValue(captures[1]).Ok());
    EXPECT_TRUE(RestoreRegistryValue(captures[0]).Ok());
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"V")->data, (sim::Bytes{1, 0, 0, 0}));
}

TEST_F(RegistryTest, AStringZeroTakesFourBytes) {
    ASSERT_TRUE(WriteRegistryString(RegistryRoot::CurrentUser, kDesktop, u"S", u"0").Ok());
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"S")->data, (sim::Bytes{'0', 0, 0, 0}));
}

TEST_F(RegistryTest, AKeyThatCannotBeCreatedFailsTheWriteButKeepsTheCapture) {
    sim::TheMachine().registryFaults.deniedKeys.insert(
        sim::RegistryPath(kHkeyLocalMachine, kPolicy));
    EXPECT_EQ(SetDwordCaptured(state, "telemetry", RegistryRoot::LocalMachine, kPolicy,
                               u"AllowTelemetry", 0)
                  .Reason(),
              Refusal::Call("RegCreateKeyExW", 5));
    ASSERT_EQ(state.RegistryBackups.at("telemetry").size(), 1u);
    EXPECT_FALSE(state.RegistryBackups.at("telemetry")[0].existed);
    EXPECT_FALSE(sim::RegistryKeyExists(kHkeyLocalMachine, kPolicy));
}

TEST_F(RegistryTest, AValueThatCannotBeReadIsNeitherCapturedNorOverwritten) {
    sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"V", platform::kRegDword, {5, 0, 0, 0});
    sim::TheMachine().registryFaults.secondReadFails.insert(
        sim::RegistryPath(kHkeyCurrentUser, kDesktop) + u"\\V");
    RegistryCapture capture;
    EXPECT_EQ(ReadRegistryValue(RegistryRoot::CurrentUser, kDesktop, u"V", capture).Reason(),
              Refusal::Call("RegQueryValueExW", 5));
    EXPECT_FALSE(capture.existed);
    EXPECT_EQ(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, kDesktop, u"V", 9).Reason(),
              Refusal::Call("RegQueryValueExW", 5));
    EXPECT_EQ(
        SetStringCaptured(state, "t", RegistryRoot::CurrentUser, kDesktop, u"V", u"9").Reason(),
        Refusal::Call("RegQueryValueExW", 5));
    EXPECT_EQ(state.RegistryBackups.count("t"), 0u);
    EXPECT_EQ(Value(kHkeyCurrentUser, kDesktop, u"V")->data, (sim::Bytes{5, 0, 0, 0}));
    EXPECT_TRUE(NoKeyOpen());
}

TEST_F(RegistryTest, ARefusedDeleteFailsTheRestore) {
    sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"V", platform::kRegDword, {5, 0, 0, 0});
    sim::TheMachine().registryFaults.deleteDenied.insert(
        sim::RegistryPath(kHkeyCurrentUser, kDesktop));
    const RegistryCapture absent{RegistryRoot::CurrentUser, kDesktop, u"V", false, 0, {}};
    EXPECT_EQ(RestoreRegistryValue(absent).Reason(), Refusal::Call("RegDeleteValueW", 5));
    EXPECT_TRUE(Value(kHkeyCurrentUser, kDesktop, u"V").has_value());
}

TEST_F(RegistryTest, ARestoreUnderAKeyThatCannotBeOpenedFails) {
    const RegistryCapture present{RegistryRoot::LocalMachine, kPolicy, u"V", true, 4, {1, 0, 0, 0}};
    sim::TheMachine().registryFaults.deniedKeys.insert(
        sim::RegistryPath(kHkeyLocalMachine, kPolicy));
    EXPECT_EQ(RestoreRegistryValue(present).Reason(), Refusal::Call("RegCreateKeyExW", 5));
}

TEST_F(RegistryTest, AForeignRootIsNeverRestored) {
    for (const bool existed : {true, false}) {
        const RegistryCapture foreign{
            static_cast<RegistryRoot>(0x80000003u), u"Software", u"V", existed, 4, {1, 0, 0, 0}};
        EXPECT_EQ(RestoreRegistryValue(foreign).Reason(),
                  Refusal::Own("not a root this program writes"));
    }
    EXPECT_TRUE(NoKeyOpen());
}

// A standard user: HKEY_LOCAL_MACHINE can be read but not changed.
class StandardUserRegistryTest : public RegistryTest {
  protected:
    void SetUp() override {
        RegistryTest::SetUp();
        sim::TheMachine().registryFaults.refusedAccess[u"HKEY_LOCAL_MACHINE"] =
            platform::kKeySetValue;
    }
};

TEST_F(StandardUserRegistryTest, AnAbsentCaptureUnderAKeyThatRefusesWritingIsNotRestored) {
    // The administrator's apply created the value; the standard user's revert cannot delete
    // it, and must say so rather than drop the capture.
    sim::PutRegistryValue(kHkeyLocalMachine, kPolicy, u"AllowTelemetry", platform::kRegDword,
                          {0, 0, 0, 0});
    const RegistryCapture absent{
        RegistryRoot::LocalMachine, kPolicy, u"AllowTelemetry", false, 0, {}};
    EXPECT_EQ(RestoreRegistryValue(absent).Reason(), Refusal::Call("RegOpenKeyExW", 5));
    EXPECT_EQ(Value(kHkeyLocalMachine, kPolicy, u"AllowTelemetry"),
              (sim::RegistryValue{platform::kRegDword, {0, 0, 0, 0}}));
    // A present capture cannot be written back either.
    const RegistryCapture present{
        RegistryRoot::LocalMachine, kPolicy, u"AllowTelemetry", true, 4, {3, 0, 0, 0}};
    EXPECT_EQ(RestoreRegistryValue(present).Reason(), Refusal::Call("RegCreateKeyExW", 5));
    EXPECT_TRUE(NoKeyOpen());
}

TEST_F(StandardUserRegistryTest, AnAbsentCaptureWhoseKeyIsGoneCountsAsRestored) {
    const RegistryCapture absent{
        RegistryRoot::LocalMachine, kPolicy, u"AllowTelemetry", false, 0, {}};
    EXPECT_TRUE(RestoreRegistryValue(absent).Ok());
    EXPECT_FALSE(sim::RegistryKeyExists(kHkeyLocalMachine, kPolicy));
}

TEST_F(StandardUserRegistryTest, TheCaptureIsTakenAndTheRefusedWriteFails) {
    sim::PutRegistryValue(kHkeyLocalMachine, kPolicy, u"AllowTelemetry", platform::kRegDword,
                          {3, 0, 0, 0});
    EXPECT_EQ(SetDwordCaptured(state, "telemetry", RegistryRoot::LocalMachine, kPolicy,
                               u"AllowTelemetry", 0)
                  .Reason(),
              Refusal::Call("RegCreateKeyExW", 5));
    ASSERT_EQ(state.RegistryBackups.at("telemetry").size(), 1u);
    EXPECT_TRUE(state.RegistryBackups.at("telemetry")[0].existed);
    EXPECT_EQ(Value(kHkeyLocalMachine, kPolicy, u"AllowTelemetry")->data, (sim::Bytes{3, 0, 0, 0}));
}

struct ReadCase {
    const char* name;
    void (*inject)();
    std::optional<Refusal> refusal;  // none: read
    bool existed;
};

const std::u16string kValuePath = u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\V";

TEST_F(RegistryTest, OnlyNotFoundReadsAsAbsent) {
    const ReadCase cases[] = {
        {"present", [] {}, std::nullopt, true},
        {"value not found",
         [] {
             sim::TheMachine()
                 .registry.keys[u"HKEY_CURRENT_USER\\Control Panel\\Desktop"]
                 .values.clear();
         },
         std::nullopt, false},
        {"key not found", [] { sim::TheMachine().registry.keys.clear(); }, std::nullopt, false},
        {"key refuses reading",
         [] {
             sim::TheMachine().registryFaults.refusedAccess[u"HKEY_CURRENT_USER\\Control Panel"] =
                 platform::kKeyRead;
         },
         Refusal::Call("RegOpenKeyExW", 5), false},
        {"size cannot be read",
         [] { sim::TheMachine().registryFaults.sizeReadFails.insert(kValuePath); },
         Refusal::Call("RegQueryValueExW", 5), false},
        {"data cannot be read",
         [] { sim::TheMachine().registryFaults.secondReadFails.insert(kValuePath); },
         Refusal::Call("RegQueryValueExW", 5), false},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::Reset();
        sim::PutRegistryValue(kHkeyCurrentUser, kDesktop, u"V", platform::kRegDword, {5, 0, 0, 0});
        c.inject();
        RegistryCapture capture;
        EXPECT_EQ(ReadRegistryValue(RegistryRoot::CurrentUser, kDesktop, u"V", capture).Reason(),
                  c.refusal);
        EXPECT_EQ(capture.existed, c.existed);
        AppState captured;
        EXPECT_EQ(
            CaptureRegistryValue(captured, "t", RegistryRoot::CurrentUser, kDesktop, u"V").Reason(),
            c.refusal);
        EXPECT_EQ(captured.RegistryBackups.count("t"), c.refusal ? 0u : 1u);
        EXPECT_TRUE(NoKeyOpen());
    }
}

}  // namespace
