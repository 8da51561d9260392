// Capturing writes and restores against the real registry (Wine's), checked with the
// registry functions directly.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "actions/registry.h"
#include "platform/win32/handle.h"

namespace {

struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RawValue&) const = default;
};

class RegistryWin32Test : public ::testing::Test {
  protected:
    void SetUp() override {
        baseKey = u"Software\\QuillfarrowTest\\" + Number(GetCurrentProcessId()) + u"-" +
                  Number(static_cast<unsigned long>(GetTickCount64()));
        testKey = baseKey + u"\\Desktop";
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Wide(baseKey)); }

    static std::u16string Number(unsigned long value) {
        const std::string text = std::to_string(value);
        return std::u16string(text.begin(), text.end());
    }
    static const wchar_t* Wide(const std::u16string& text) {
        return reinterpret_cast<const wchar_t*>(text.c_str());
    }
    void Put(const std::u16string& name, DWORD type, std::vector<BYTE> data) const {
        platform::win32::UniqueKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(testKey), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key.get(), Wide(name), 0, type, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size()));
    }
    std::optional<RawValue> Get(const std::u16string& subkey, const std::u16string& name) const {
        platform::win32::UniqueKey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(subkey), 0, KEY_READ, key.put()) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        RawValue value;
        DWORD size = 0;
        LSTATUS result =
            RegQueryValueExW(key.get(), Wide(name), nullptr, &value.type, nullptr, &size);
        if (result == ERROR_SUCCESS) {
            value.data.resize(size);
            result = RegQueryValueExW(key.get(), Wide(name), nullptr, &value.type,
                                      value.data.data(), &size);
            value.data.resize(size);
        }
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        return value;
    }
    DWORD ValueCount(const std::u16string& subkey) const {
        platform::win32::UniqueKey key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(subkey), 0, KEY_READ, key.put()) !=
            ERROR_SUCCESS) {
            return 9999;
        }
        DWORD values = 0;
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
        return values;
    }

    std::u16string baseKey;
    std::u16string testKey;
    AppState state;
};

TEST_F(RegistryWin32Test, EachCapturingWriteIsUndoneExactly) {
    Put(u"S", REG_SZ, {'4', 0, '0', 0, '0', 0, 0, 0});
    Put(u"D", REG_DWORD, {1, 2, 3, 4});
    Put(u"B", REG_BINARY, {0xFF, 0, 0x80});
    Put(u"E", REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0});
    const auto before = [&] {
        std::vector<std::optional<RawValue>> values;
        for (const char16_t* name : {u"S", u"D", u"B", u"E", u"New"})
            values.push_back(Get(testKey, name));
        return values;
    };
    const auto original = before();
    const std::uint8_t bytes[] = {7, 7, 7};
    ASSERT_TRUE(SetStringCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"S", u"0").Ok());
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"D", 38).Ok());
    ASSERT_TRUE(
        SetBinaryCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"B", bytes).Ok());
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"E", 1).Ok());
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"New", 1).Ok());
    EXPECT_EQ(Get(testKey, u"D"), (RawValue{REG_DWORD, {38, 0, 0, 0}}));
    EXPECT_EQ(Get(testKey, u"S"), (RawValue{REG_SZ, {'0', 0, 0, 0}}));  // "0" takes 4 bytes
    const auto& captures = state.RegistryBackups.at("t");
    for (auto capture = captures.rbegin(); capture != captures.rend(); ++capture) {
        EXPECT_TRUE(RestoreRegistryValue(*capture).Ok());
    }
    EXPECT_EQ(before(), original);
    EXPECT_FALSE(Get(testKey, u"New").has_value());
}

TEST_F(RegistryWin32Test, AKeyCreatedByTheWriteStaysEmpty) {
    const std::u16string fresh = testKey + u"\\Created\\Deep";
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, fresh, u"V", 1).Ok());
    EXPECT_FALSE(state.RegistryBackups.at("t")[0].existed);
    EXPECT_TRUE(RestoreRegistryValue(state.RegistryBackups.at("t")[0]).Ok());
    EXPECT_EQ(ValueCount(fresh), 0u);
}

TEST_F(RegistryWin32Test, AZeroLengthValueRoundTrips) {
    Put(u"Z", REG_BINARY, {});
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"Z", 5).Ok());
    const RegistryCapture& capture = state.RegistryBackups.at("t")[0];
    EXPECT_TRUE(capture.existed);
    EXPECT_EQ(capture.type, static_cast<std::uint32_t>(REG_BINARY));
    EXPECT_TRUE(capture.data.empty());
    EXPECT_TRUE(RestoreRegistryValue(capture).Ok());
    EXPECT_EQ(Get(testKey, u"Z"), (RawValue{REG_BINARY, {}}));
}

TEST_F(RegistryWin32Test, TwoCapturesRestoredLastToFirstLeaveTheOlder) {
    Put(u"V", REG_DWORD, {1, 0, 0, 0});
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"V", 2).Ok());
    ASSERT_TRUE(SetDwordCaptured(state, "t", RegistryRoot::CurrentUser, testKey, u"V", 3).Ok());
    EXPECT_TRUE(RestoreRegistryValue(state.RegistryBackups.at("t")[1]).Ok());
    EXPECT_TRUE(RestoreRegistryValue(state.RegistryBackups.at("t")[0]).Ok());
    EXPECT_EQ(Get(testKey, u"V"), (RawValue{REG_DWORD, {1, 0, 0, 0}}));
}

TEST_F(RegistryWin32Test, RestoringAnAbsentValueThatIsGoneSucceedsAndCreatesNothing) {
    Put(u"Other", REG_DWORD, {1, 0, 0, 0});
    const RegistryCapture absent{RegistryRoot::CurrentUser, testKey, u"Gone", false, 0, {}};
    EXPECT_TRUE(RestoreRegistryValue(absent).Ok());
    const RegistryCapture noKey{
        RegistryRoot::CurrentUser, testKey + u"\\Nowhere", u"X", false, 0, {}};
    EXPECT_TRUE(RestoreRegistryValue(noKey).Ok());
    EXPECT_EQ(ValueCount(testKey + u"\\Nowhere"), 9999u);
}

}  // namespace
