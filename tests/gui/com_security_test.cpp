// The program's COM call security, judged by the system: the descriptor grants COM execute to
// Administrators and the three service accounts and to no one else, and the interface
// thread's apartment is entered and left again.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <sddl.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "app/com_security_win32.h"
#include "platform/win32/handle.h"

namespace {

constexpr DWORD kComExecute = 1;  // COM_RIGHTS_EXECUTE

using LocalSid = platform::win32::UniqueLocal<void>;

[[nodiscard]] LocalSid SidFromText(const wchar_t* text) {
    LocalSid sid;
    if (!ConvertStringSidToSidW(text, sid.put()))
        return LocalSid();
    return sid;
}

// How a case is judged. Wine 8 hands out no token holding System, LocalService or
// NetworkService: every process in the prefix, its services included, runs as the one
// local user; NtCreateToken is not there, LogonUserW is a stub, the Authz context and
// access-check calls are stubs that fail, and NtFilterToken ignores restricting SIDs. Those
// accounts are judged by reading the DACL back through the system instead.
enum class Judge { AccessCheckAndDacl, DaclOnly };

struct Case {
    const char* name;
    const wchar_t* sid;
    bool granted;
    Judge judge;
};

void PrintTo(const Case& account, std::ostream* out) {
    *out << account.name;
}

const Case kCases[] = {
    {"Administrators", L"S-1-5-32-544", true, Judge::AccessCheckAndDacl},
    {"NetworkService", L"S-1-5-20", true, Judge::DaclOnly},
    {"LocalService", L"S-1-5-19", true, Judge::DaclOnly},
    {"System", L"S-1-5-18", true, Judge::DaclOnly},
    {"Users", L"S-1-5-32-545", false, Judge::AccessCheckAndDacl},
    {"Everyone", L"S-1-1-0", false, Judge::AccessCheckAndDacl},
};

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A token information block, in whole pointers so that the structure inside is aligned.
[[nodiscard]] std::vector<std::uintptr_t> TokenInformation(HANDLE token,
                                                           TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    static_cast<void>(GetTokenInformation(token, kind, nullptr, 0, &size));
    std::vector<std::uintptr_t> block((size + sizeof(std::uintptr_t) - 1) / sizeof(std::uintptr_t));
    if (size == 0 || !GetTokenInformation(token, kind, block.data(), size, &size))
        return {};
    return block;
}

[[nodiscard]] const SID_AND_ATTRIBUTES* FindGroup(const TOKEN_GROUPS& groups, PSID sid) {
    for (DWORD i = 0; i < groups.GroupCount; ++i) {
        if (EqualSid(groups.Groups[i].Sid, sid))
            return &groups.Groups[i];
    }
    return nullptr;
}

// The COM execute rights that the DACL's ACEs for exactly this SID grant, judged ACE by ACE
// in order as the access check does: a right is decided by the first ACE that names it.
// Any ACE other than a plain allow or deny fails the test.
DWORD DaclGrants(PSECURITY_DESCRIPTOR descriptor, PSID sid) {
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    EXPECT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_NE(dacl, nullptr);
    if (!present || dacl == nullptr)
        return 0;
    ACL_SIZE_INFORMATION size{};
    EXPECT_TRUE(GetAclInformation(dacl, &size, sizeof size, AclSizeInformation));
    DWORD granted = 0;
    DWORD decided = 0;
    for (DWORD i = 0; i < size.AceCount; ++i) {
        void* ace = nullptr;
        EXPECT_TRUE(GetAce(dacl, i, &ace)) << "ACE " << i;
        if (ace == nullptr)
            return 0;
        const auto* header = static_cast<const ACE_HEADER*>(ace);
        EXPECT_EQ(header->AceFlags & INHERIT_ONLY_ACE, 0) << "ACE " << i;
        if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
            auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            if (EqualSid(&allow->SidStart, sid)) {
                granted |= allow->Mask & kComExecute & ~decided;
                decided |= allow->Mask & kComExecute;
            }
        } else if (header->AceType == ACCESS_DENIED_ACE_TYPE) {
            auto* deny = static_cast<ACCESS_DENIED_ACE*>(ace);
            if (EqualSid(&deny->SidStart, sid))
                decided |= deny->Mask & kComExecute;
        } else {
            ADD_FAILURE() << "ACE " << i << " has type " << int{header->AceType};
        }
    }
    return granted;
}

class ComCallerTest : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        descriptor = BuildComSecurityDescriptor();
        ASSERT_NE(descriptor, nullptr);
        sid = SidFromText(GetParam().sid);
        ASSERT_TRUE(sid);
    }

    std::unique_ptr<ComSecurityDescriptor> descriptor;
    LocalSid sid;
};

TEST_P(ComCallerTest, DaclReadBackGrantsOrDenies) {
    EXPECT_EQ(DaclGrants(descriptor->get(), sid.get()), GetParam().granted ? kComExecute : 0u);
}

// The process token, cut down to the one account: every other group is deny-only, so only
// that account can match an allow ACE. AccessCheck takes an impersonation token.
TEST_P(ComCallerTest, AccessCheckWithATokenOfTheAccountAloneGrantsOrDenies) {
    const Case& account = GetParam();
    if (account.judge == Judge::DaclOnly)
        GTEST_SKIP() << "no token for " << account.name << " under Wine; judged by the DACL";

    platform::win32::UniqueHandle process;
    ASSERT_TRUE(
        OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, process.put()));
    platform::win32::UniqueHandle identification;
    ASSERT_TRUE(DuplicateTokenEx(process.get(), TOKEN_DUPLICATE | TOKEN_QUERY, nullptr,
                                 SecurityIdentification, TokenImpersonation, identification.put()));
    const std::vector<std::uintptr_t> userBlock = TokenInformation(identification.get(), TokenUser);
    const std::vector<std::uintptr_t> groupBlock =
        TokenInformation(identification.get(), TokenGroups);
    ASSERT_FALSE(userBlock.empty());
    ASSERT_FALSE(groupBlock.empty());
    const auto& user = *reinterpret_cast<const TOKEN_USER*>(userBlock.data());
    const auto& groups = *reinterpret_cast<const TOKEN_GROUPS*>(groupBlock.data());

    // Wine gives every process the same token, its one user's, elevated: it holds each of these
    // groups enabled. On Windows a standard user's token lacks Administrators or holds it for
    // deny only; cut down to it, the token then matches no allow entry and must be refused.
    const SID_AND_ATTRIBUTES* held = FindGroup(groups, sid.get());
    const bool enabled = held != nullptr && (held->Attributes & SE_GROUP_ENABLED) != 0 &&
                         (held->Attributes & SE_GROUP_USE_FOR_DENY_ONLY) == 0;
    if (UnderWine()) {
        ASSERT_TRUE(enabled) << "Wine's token does not hold " << account.name
                             << " as an enabled group";
    }
    const bool expectGranted = account.granted && enabled;

    // Integrity labels never match a DACL entry; they are left as they are.
    std::vector<SID_AND_ATTRIBUTES> others{{user.User.Sid, 0}};
    for (DWORD i = 0; i < groups.GroupCount; ++i) {
        if (&groups.Groups[i] != held && (groups.Groups[i].Attributes & SE_GROUP_INTEGRITY) == 0)
            others.push_back({groups.Groups[i].Sid, 0});
    }
    platform::win32::UniqueHandle alone;
    ASSERT_TRUE(CreateRestrictedToken(identification.get(), 0, static_cast<DWORD>(others.size()),
                                      others.data(), 0, nullptr, 0, nullptr, alone.put()))
        << GetLastError();

    // The cut-down token as the system has it: the account enabled, every other group not.
    const std::vector<std::uintptr_t> aloneBlock = TokenInformation(alone.get(), TokenGroups);
    ASSERT_FALSE(aloneBlock.empty());
    const auto& aloneGroups = *reinterpret_cast<const TOKEN_GROUPS*>(aloneBlock.data());
    for (DWORD i = 0; i < aloneGroups.GroupCount; ++i) {
        const SID_AND_ATTRIBUTES& group = aloneGroups.Groups[i];
        if ((group.Attributes & SE_GROUP_INTEGRITY) != 0)
            continue;
        const bool isAccount = EqualSid(group.Sid, sid.get()) != FALSE;
        EXPECT_EQ((group.Attributes & SE_GROUP_USE_FOR_DENY_ONLY) != 0, !(isAccount && enabled))
            << "group " << i << " attributes " << group.Attributes;
    }

    // Generic execute and generic all come out as COM execute.
    GENERIC_MAPPING mapping{0, 0, kComExecute, kComExecute};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0xFFFFFFFF;
    BOOL status = -1;
    ASSERT_TRUE(AccessCheck(descriptor->get(), alone.get(), kComExecute, &mapping, &privileges,
                            &privilegesSize, &granted, &status))
        << GetLastError();
    const DWORD error = GetLastError();
    if (expectGranted) {
        EXPECT_EQ(status, TRUE);
        EXPECT_EQ(granted, kComExecute);
    } else {
        EXPECT_EQ(status, FALSE);
        EXPECT_EQ(granted, 0u);
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    }
}

INSTANTIATE_TEST_SUITE_P(Accounts, ComCallerTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& each) {
                             return std::string(each.param.name);
                         });

TEST(ComSecurityDescriptorTest, IsAbsoluteOwnedByAdministratorsAndGrantsNothingElse) {
    const std::unique_ptr<ComSecurityDescriptor> descriptor = BuildComSecurityDescriptor();
    ASSERT_NE(descriptor, nullptr);
    EXPECT_TRUE(IsValidSecurityDescriptor(descriptor->get()));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(descriptor->get(), &control, &revision));
    EXPECT_EQ(control & SE_SELF_RELATIVE, 0);
    EXPECT_NE(control & SE_DACL_PRESENT, 0);

    const LocalSid administrators = SidFromText(L"S-1-5-32-544");
    ASSERT_TRUE(administrators);
    PSID owner = nullptr;
    PSID group = nullptr;
    BOOL defaulted = TRUE;
    ASSERT_TRUE(GetSecurityDescriptorOwner(descriptor->get(), &owner, &defaulted));
    ASSERT_NE(owner, nullptr);
    EXPECT_TRUE(EqualSid(owner, administrators.get()));
    ASSERT_TRUE(GetSecurityDescriptorGroup(descriptor->get(), &group, &defaulted));
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(EqualSid(group, administrators.get()));

    // Exactly one plain allow ACE of COM execute per account, in the order listed.
    BOOL present = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor->get(), &present, &dacl, &defaulted));
    ASSERT_NE(dacl, nullptr);
    ACL_SIZE_INFORMATION size{};
    ASSERT_TRUE(GetAclInformation(dacl, &size, sizeof size, AclSizeInformation));
    const wchar_t* const kOrder[] = {L"S-1-5-32-544", L"S-1-5-20", L"S-1-5-19", L"S-1-5-18"};
    ASSERT_EQ(size.AceCount, std::size(kOrder));
    for (DWORD i = 0; i < size.AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &ace));
        auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(allow->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << "ACE " << i;
        EXPECT_EQ(allow->Header.AceFlags, 0) << "ACE " << i;
        EXPECT_EQ(allow->Mask, kComExecute) << "ACE " << i;
        const LocalSid expected = SidFromText(kOrder[i]);
        ASSERT_TRUE(expected);
        EXPECT_TRUE(EqualSid(&allow->SidStart, expected.get())) << "ACE " << i;
    }
}

// On a thread of its own, so that the test thread's COM state is left alone.
TEST(InterfaceComTest, EntersASingleThreadedApartmentAndLeavesItWhenDestroyed) {
    HRESULT apartment = E_UNEXPECTED;
    HRESULT security = E_UNEXPECTED;
    HRESULT multithreadedInside = E_UNEXPECTED;
    HRESULT multithreadedAfter = E_UNEXPECTED;
    std::thread([&] {
        {
            const InterfaceCom com = StartInterfaceCom();
            apartment = com.Apartment();
            security = com.Security();
            // A thread in a single-threaded apartment cannot join the multithreaded one.
            multithreadedInside = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            if (SUCCEEDED(multithreadedInside))
                CoUninitialize();
        }
        // Free again only when the one CoUninitialize owed was made.
        multithreadedAfter = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(multithreadedAfter))
            CoUninitialize();
    }).join();
    EXPECT_EQ(apartment, S_OK);
    // The first call in this process: later ones are told RPC_E_TOO_LATE.
    EXPECT_EQ(security, S_OK);
    EXPECT_EQ(multithreadedInside, RPC_E_CHANGED_MODE);
    EXPECT_EQ(multithreadedAfter, S_OK);
}

}  // namespace
