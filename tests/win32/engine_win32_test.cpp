// The promise of the engine against the real registry and service manager (Wine's): every
// reversible registry and service tweak, applied and then reverted from the captures a new
// run loads from state.bin, leaves every value and start type exactly as it was. Everything
// is read back with the registry and service functions directly.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/capture_check.h"
#include "engine/tweak_table.h"
#include "platform/win32/handle.h"
#include "state/state_file.h"
#include "support/quiet_change.h"
#include "support/service_config_win32.h"

namespace {

struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RawValue&) const = default;
};

HKEY Root(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::optional<RawValue> Get(HKEY root, const std::wstring& key, const std::wstring& name) {
    platform::win32::UniqueKey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.put()) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LSTATUS result =
        RegQueryValueExW(opened.get(), name.c_str(), nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.data.resize(size);
        result = RegQueryValueExW(opened.get(), name.c_str(), nullptr, &value.type,
                                  size == 0 ? nullptr : value.data.data(), &size);
        value.data.resize(size);
    }
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void Seed(HKEY root, const std::wstring& key, const std::wstring& name,
          const std::optional<RawValue>& value) {
    platform::win32::UniqueKey opened;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              opened.put(), nullptr),
              ERROR_SUCCESS);
    if (value) {
        static const BYTE kNothing = 0;
        RegSetValueExW(opened.get(), name.c_str(), 0, value->type,
                       value->data.empty() ? &kNothing : value->data.data(),
                       static_cast<DWORD>(value->data.size()));
    } else {
        RegDeleteValueW(opened.get(), name.c_str());
    }
}

std::vector<std::wstring> Subkeys(HKEY root, const std::wstring& key) {
    std::vector<std::wstring> names;
    platform::win32::UniqueKey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.put()) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

// A prior state for each value, in a rotation: absent, the written type, other types, odd
// and zero lengths.
std::optional<RawValue> Prior(unsigned n) {
    switch (n % 6) {
        case 0:
            return std::nullopt;
        case 1:
            return RawValue{REG_DWORD, {7, 0, 0, 0}};
        case 2:
            return RawValue{REG_SZ, {'p', 0, 'r', 0, 'i', 0, 0, 0}};
        case 3:
            return RawValue{REG_BINARY, {1, 2, 3}};
        case 4:
            return RawValue{REG_BINARY, {}};
        default:
            return RawValue{REG_QWORD, {9, 8, 7, 6, 5, 4, 3, 2}};
    }
}

struct Place {
    HKEY root;
    std::wstring key;
    std::wstring name;
    DWORD writtenType;
    bool operator<(const Place& other) const {
        return std::tie(root, key, name) < std::tie(other.root, other.key, other.name);
    }
};

class EngineWin32Test : public ::testing::Test {
  protected:
    void SetUp() override {
        ForgetStateFileLoad();
        serviceManager.reset(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ASSERT_TRUE(serviceManager);
    }
    void TearDown() override {
        for (const std::wstring& name : createdServices) {
            const platform::win32::UniqueServiceHandle service(
                OpenServiceW(serviceManager.get(), name.c_str(), DELETE));
            if (service)
                DeleteService(service.get());
        }
        serviceManager.reset();
        for (const std::wstring& name : testInterfaces)
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (Wide(kTcpipInterfacesKey) + L"\\" + name).c_str());
        ForgetStateFileLoad();
    }

    // Creates the service in this start type, unless the prefix already has one by the name.
    void Service(const wchar_t* name, DWORD startType) {
        const platform::win32::UniqueServiceHandle service(CreateServiceW(
            serviceManager.get(), name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
            startType, SERVICE_ERROR_IGNORE, L"C:\\windows\\system32\\qf-no-such-service.exe",
            nullptr, nullptr, nullptr, nullptr, nullptr));
        if (service)
            createdServices.push_back(name);
    }
    DWORD StartType(std::u16string_view name) const {
        return ConfiguredStartType(serviceManager.get(), Wide(name));
    }
    // Every value the tweak writes, the interface walk's under every interface.
    std::vector<Place> Places(const TweakPlan& plan) const {
        std::vector<Place> places;
        for (const RegistryWrite& write : plan.writes) {
            if (plan.action == TweakAction::InterfaceWrites) {
                for (const std::wstring& name : Subkeys(HKEY_LOCAL_MACHINE, Wide(write.key))) {
                    places.push_back({HKEY_LOCAL_MACHINE, Wide(write.key) + L"\\" + name,
                                      Wide(write.value), write.type});
                }
            } else {
                places.push_back(
                    {Root(write.root), Wide(write.key), Wide(write.value), write.type});
            }
        }
        return places;
    }

    platform::win32::UniqueServiceHandle serviceManager;
    std::vector<std::wstring> createdServices;
    std::vector<std::wstring> testInterfaces = {L"{QF-TEST-A}", L"{QF-TEST-B}"};
};

TEST_F(EngineWin32Test, EveryRegistryAndServiceTweakIsUndoneExactlyAcrossARestart) {
    for (const std::wstring& name : testInterfaces)
        Seed(HKEY_LOCAL_MACHINE, Wide(kTcpipInterfacesKey) + L"\\" + name, L"Other", std::nullopt);
    Service(L"DiagTrack", SERVICE_AUTO_START);
    Service(L"MapsBroker", SERVICE_AUTO_START);
    Service(L"RemoteRegistry", SERVICE_DEMAND_START);
    Service(L"RetailDemo", SERVICE_DISABLED);
    Service(L"WMPNetworkSvc", SERVICE_DEMAND_START);
    // dmwappushservice and Fax stay uncreated.

    unsigned rotation = 0;
    for (const TweakPlan& plan : kTweakPlans) {
        if (!CapturesChanges(plan.action))
            continue;
        SCOPED_TRACE(std::string(plan.id));
        const std::vector<Place> places = Places(plan);
        std::set<Place> seeded;
        for (const Place& place : places) {
            if (seeded.insert(place).second)
                Seed(place.root, place.key, place.name, Prior(rotation++));
        }
        std::vector<std::optional<RawValue>> before;
        for (const Place& place : places)
            before.push_back(Get(place.root, place.key, place.name));
        std::vector<DWORD> servicesBefore;
        for (const std::u16string_view service : plan.services)
            servicesBefore.push_back(StartType(service));

        AppState applied;
        ASSERT_TRUE(ApplyQuietly(applied, plan.id).Ok());
        for (std::size_t i = 0; i < places.size(); ++i) {
            const auto now = Get(places[i].root, places[i].key, places[i].name);
            ASSERT_TRUE(now.has_value());
            EXPECT_EQ(now->type, places[i].writtenType);
        }
        for (std::size_t i = 0; i < plan.services.size(); ++i) {
            if (servicesBefore[i] <= SERVICE_DISABLED) {
                EXPECT_EQ(StartType(plan.services[i]), DWORD{SERVICE_DISABLED});
            }
        }

        // A new run: the captures come from state.bin, and pass the check.
        AppState loaded;
        LoadState(loaded);
        ASSERT_EQ(LastStateFileLoad(), StateFileLoad::Read);
        EXPECT_TRUE(IsApplied(loaded, plan.id));
        EXPECT_TRUE(CapturesAreTheTweaksOwn(loaded, plan));
        ASSERT_TRUE(RevertQuietly(loaded, plan.id).Ok());

        for (std::size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(Get(places[i].root, places[i].key, places[i].name), before[i])
                << std::string(places[i].name.begin(), places[i].name.end());
        }
        for (std::size_t i = 0; i < plan.services.size(); ++i)
            EXPECT_EQ(StartType(plan.services[i]), servicesBefore[i]);
    }
}

TEST_F(EngineWin32Test, PointerSettingsComeBackAsSeeded) {
    const std::wstring mouse = L"Control Panel\\Mouse";
    const RawValue speed{REG_SZ, {'2', 0, 0, 0}};
    const RawValue threshold{REG_SZ, {'7', 0, 0, 0}};
    Seed(HKEY_CURRENT_USER, mouse, L"MouseSpeed", speed);
    Seed(HKEY_CURRENT_USER, mouse, L"MouseThreshold1", threshold);
    Seed(HKEY_CURRENT_USER, mouse, L"MouseThreshold2", std::nullopt);
    AppState state;
    ASSERT_TRUE(ApplyQuietly(state, "mouseaccel").Ok());
    ASSERT_TRUE(RevertQuietly(state, "mouseaccel").Ok());
    EXPECT_EQ(Get(HKEY_CURRENT_USER, mouse, L"MouseSpeed"), speed);
    EXPECT_EQ(Get(HKEY_CURRENT_USER, mouse, L"MouseThreshold1"), threshold);
    EXPECT_FALSE(Get(HKEY_CURRENT_USER, mouse, L"MouseThreshold2").has_value());
    int live[3] = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, live, 0));
    EXPECT_EQ(live[0], 7);
    EXPECT_EQ(live[1], 10);
    EXPECT_EQ(live[2], 2);
}

}  // namespace
