// The codes the registry captures tell "absent" by, run against the platform this
// executable links, so that the simulation is held to what Windows does: only these mean
// the value is not there; any other failure is a failed read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "support/test_platform.h"

namespace {

using platform::kHkeyCurrentUser;

class RegistryCodesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static_cast<void>(ScratchFolder());  // a fresh simulated machine where there is one
        const std::string unique = std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                                   std::to_string(++counter);
        testKey =
            u"Software\\QuillfarrowTest\\codes-" + std::u16string(unique.begin(), unique.end());
    }
    std::u16string testKey;
    static inline int counter = 0;
};

TEST_F(RegistryCodesTest, AMissingKeyIsNotFoundWhateverTheAccessAsked) {
    platform::RegistryKey key;
    for (const std::uint32_t access : {platform::kKeyRead, platform::kKeySetValue}) {
        EXPECT_EQ(platform::RegistryOpenKey(kHkeyCurrentUser, testKey, access, key).Code(),
                  platform::kErrorFileNotFound);
        EXPECT_EQ(
            platform::RegistryOpenKey(kHkeyCurrentUser, testKey + u"\\Below", access, key).Code(),
            platform::kErrorFileNotFound);
        EXPECT_FALSE(key.Valid());
    }
}

TEST_F(RegistryCodesTest, AMissingValueIsNotFoundForTheSizeTheDataAndTheDelete) {
    platform::RegistryKey key;
    ASSERT_TRUE(platform::RegistryCreateKey(kHkeyCurrentUser, testKey,
                                            platform::kKeyRead | platform::kKeySetValue, key)
                    .Ok());
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(platform::RegistryQueryValue(key, u"Missing", type, nullptr, size).Code(),
              platform::kErrorFileNotFound);
    std::uint8_t data[4] = {};
    size = sizeof data;
    EXPECT_EQ(platform::RegistryQueryValue(key, u"Missing", type, data, size).Code(),
              platform::kErrorFileNotFound);
    EXPECT_EQ(platform::RegistryDeleteValue(key, u"Missing").Code(), platform::kErrorFileNotFound);
}

TEST_F(RegistryCodesTest, SubkeysAreEnumeratedInOrderUntilNoMoreItems) {
    platform::RegistryKey created;
    for (const char16_t* name : {u"beta", u"Alpha", u"gamma\\deeper"}) {
        ASSERT_TRUE(platform::RegistryCreateKey(kHkeyCurrentUser, testKey + u"\\" + name,
                                                platform::kKeySetValue, created)
                        .Ok());
    }
    platform::RegistryKey key;
    ASSERT_TRUE(platform::RegistryOpenKey(kHkeyCurrentUser, testKey, platform::kKeyRead, key).Ok());
    std::vector<std::u16string> names;
    std::u16string name;
    std::uint32_t index = 0;
    platform::Status status;
    while ((status = platform::RegistryEnumKey(key, index, 256, name)).Ok()) {
        names.push_back(name);
        ++index;
    }
    EXPECT_EQ(status.Code(), platform::kErrorNoMoreItems);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Alpha", u"beta", u"gamma"}));
    // A name that does not fit the buffer with its NUL.
    EXPECT_EQ(platform::RegistryEnumKey(key, 0, 5, name).Code(), platform::kErrorMoreData);
    EXPECT_TRUE(platform::RegistryEnumKey(key, 0, 6, name).Ok());
    EXPECT_EQ(name, u"Alpha");
}

}  // namespace
