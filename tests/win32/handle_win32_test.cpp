// The owners of Windows handles: each one held is given back exactly once, by whoever holds
// it last; "none" is never given back; and real handles are closed when their owner goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handle.h"

namespace {

// Slots whose addresses stand in for handles; what was given back is logged with the tag of
// the closer that gave it back.
int slots[2];
struct GivenBack {
    int tag;
    int slot;
    bool operator==(const GivenBack&) const = default;
};
void PrintTo(const GivenBack& entry, std::ostream* out) {
    *out << "slot " << entry.slot << " by closer " << entry.tag;
}
std::vector<GivenBack> givenBack;

struct Recorder {
    int tag = 0;
    void operator()(int* handle) const {
        givenBack.push_back({tag, static_cast<int>(handle - slots)});
    }
};
using Owner = platform::win32::Unique<int*, Recorder, -1>;

int* const kMinusOne = reinterpret_cast<int*>(std::intptr_t{-1});

struct Case {
    const char* name;
    void (*run)();
    std::vector<GivenBack> expected;
};

const Case kCases[] = {
    {"goes out of scope", [] { Owner held(&slots[0], Recorder{1}); }, {{1, 0}}},
    {"moved into another",
     [] {
         Owner from(&slots[0], Recorder{1});
         Owner to(std::move(from));
         EXPECT_FALSE(from);
         EXPECT_EQ(from.get(), nullptr);
         EXPECT_EQ(to.get(), &slots[0]);
     },
     {{1, 0}}},
    {"moved over one held",
     [] {
         Owner from(&slots[0], Recorder{1});
         Owner to(&slots[1], Recorder{2});
         to = std::move(from);
         EXPECT_FALSE(from);
         EXPECT_EQ(givenBack, (std::vector<GivenBack>{{2, 1}}));
     },
     {{2, 1}, {1, 0}}},
    {"moved onto itself",
     [] {
         Owner held(&slots[0], Recorder{1});
         Owner& same = held;
         held = std::move(same);
         EXPECT_TRUE(held);
     },
     {{1, 0}}},
    {"put gives back the one held",
     [] {
         Owner held(&slots[0], Recorder{1});
         int** place = held.put();
         EXPECT_EQ(givenBack, (std::vector<GivenBack>{{1, 0}}));
         EXPECT_EQ(*place, nullptr);
         *place = &slots[1];
         EXPECT_EQ(held.get(), &slots[1]);
     },
     {{1, 0}, {1, 1}}},
    {"reset gives back and holds the new one",
     [] {
         Owner held(&slots[0], Recorder{1});
         held.reset(&slots[1]);
         EXPECT_EQ(givenBack, (std::vector<GivenBack>{{1, 0}}));
         held.reset();
         EXPECT_FALSE(held);
     },
     {{1, 0}, {1, 1}}},
    {"release gives nothing back",
     [] {
         Owner held(&slots[0], Recorder{1});
         EXPECT_EQ(held.release(), &slots[0]);
         EXPECT_FALSE(held);
     },
     {}},
    {"none is never given back",
     [] {
         Owner null(nullptr, Recorder{1});
         Owner minusOne(kMinusOne, Recorder{2});
         EXPECT_FALSE(null);
         EXPECT_FALSE(minusOne);
         minusOne.reset();
         *null.put() = kMinusOne;
     },
     {}},
};

void PrintTo(const Case& row, std::ostream* out) {
    *out << row.name;
}

class UniqueTest : public ::testing::TestWithParam<Case> {};

TEST_P(UniqueTest, GivesBackEachHandleOnceWithItsOwnCloser) {
    givenBack.clear();
    GetParam().run();
    EXPECT_EQ(givenBack, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UniqueTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& row) {
                             std::string name;
                             for (const char* c = row.param.name; *c != 0; ++c) {
                                 name.push_back(*c == ' ' ? '_' : *c);
                             }
                             return name;
                         });

// The system's own view: a closed handle is no longer one of the process's.
bool KernelHandleOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

bool KeyOpen(HKEY key) {
    DWORD values = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST(UniqueWin32, RealHandlesAreClosedWhenTheirLastOwnerGoes) {
    HANDLE event = nullptr;
    {
        platform::win32::UniqueHandle first(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(first);
        event = first.get();
        platform::win32::UniqueHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_TRUE(KernelHandleOpen(event));
    }
    EXPECT_FALSE(KernelHandleOpen(event));

    HKEY key = nullptr;
    {
        platform::win32::UniqueKey opened;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, opened.put()),
                  ERROR_SUCCESS);
        key = opened.get();
        EXPECT_TRUE(KeyOpen(key));
    }
    EXPECT_FALSE(KeyOpen(key));

    EXPECT_FALSE(platform::win32::UniqueHandle(INVALID_HANDLE_VALUE));
}

}  // namespace
