// Seeded random damage to valid state files: loading never reads out of bounds or hangs,
// and whatever it loads saves and reloads to the same state.
#include <gtest/gtest.h>

#include <random>

#include "state/state_file.h"
#include "support/state_matchers.h"

namespace {

AppState RichState(std::mt19937& random) {
    AppState state;
    const char* ids[] = {"dns", "fso", "menudelay", "telemetry", "timerres", "\xC3\xA9"};
    for (const char* id : ids) {
        if (random() % 2)
            state.AppliedSet.insert(id);
    }
    for (int i = 0; i < 3; ++i) {
        auto& list = state.RegistryBackups[ids[random() % 6]];
        for (unsigned j = 0; j < random() % 3 + 1; ++j) {
            std::vector<std::uint8_t> data(random() % 12);
            for (auto& byte : data)
                byte = static_cast<std::uint8_t>(random());
            list.push_back({j % 2 ? RegistryRoot::LocalMachine : RegistryRoot::CurrentUser,
                            u"Software\\Key" + std::u16string(random() % 4, u'\u00E9'), u"Value",
                            !data.empty(), static_cast<std::uint32_t>(random() % 5), data});
        }
    }
    state.ServiceBackups["diagtrack"] = {{u"DiagTrack", true, 2}, {u"Fax", false, 0}};
    state.RestorePointCreated = random() % 2 == 0;
    state.BackupStore = {{"dns.alias", "Ethernet 2"}, {"powerplan.prev", "{8c5e7fda}"}};
    return state;
}

void Damage(std::vector<std::uint8_t>& file, std::mt19937& random) {
    switch (random() % 3) {
        case 0:
            file.resize(random() % (file.size() + 1));
            break;
        case 1:
            for (unsigned flips = random() % 8 + 1; flips > 0; --flips) {
                file[random() % file.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            }
            break;
        default: {
            // A length or count word somewhere is replaced by something implausible.
            static constexpr std::uint32_t kWords[] = {
                0, 1, 2, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0x10000};
            const std::uint32_t word =
                random() % 2 ? kWords[random() % 8] : static_cast<std::uint32_t>(random() % 64);
            const std::size_t at = 8 + random() % (file.size() - 11);
            for (int i = 0; i < 4; ++i)
                file[at + i] = static_cast<std::uint8_t>(word >> (8 * i));
            break;
        }
    }
}

TEST(StateFuzz, DamagedFilesLoadSafelyAndRoundTrip) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::uint8_t> file = EncodeState(RichState(random));
        Damage(file, random);
        AppState loaded;
        static_cast<void>(DecodeState(file, loaded));
        const std::vector<std::uint8_t> saved = EncodeState(loaded);
        AppState reloaded;
        static_cast<void>(DecodeState(saved, reloaded));
        ASSERT_TRUE(SamePersisted(reloaded, loaded)) << "round " << round;
        ASSERT_EQ(EncodeState(reloaded), saved) << "round " << round;
    }
}

}  // namespace
