// Discovery under Wine against an independent listing of the host's network links, read
// from Linux's /sys/class/net through Wine's Z: drive.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "net/adapters.h"
#include "platform/win32/handle.h"
#include "support/test_platform.h"

namespace {

struct HostLink {
    std::u16string name;
    unsigned index = 0;
    bool up = false;
};

std::string ReadSmallFile(const std::wstring& path) {
    const platform::win32::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                                         FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    char buffer[256] = {};
    DWORD read = 0;
    ReadFile(file.get(), buffer, sizeof buffer - 1, &read, nullptr);
    return std::string(buffer, read);
}

unsigned long Number(const std::string& text, int base) {
    return std::strtoul(text.c_str(), nullptr, base);
}

// The host's links but loopback, up ones first, each group in interface-index order. Wine
// reports every link but loopback as an adapter: a link of a family it has no interface type
// for, such as a TUN device, comes out as "other", never as a tunnel, so discovery keeps it.
// False when the listing cannot be read.
bool HostLinks(std::vector<HostLink>& links) {
    WIN32_FIND_DATAW found{};
    const platform::win32::UniqueFind search(FindFirstFileW(L"Z:\\sys\\class\\net\\*", &found));
    if (!search)
        return false;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring folder = L"Z:\\sys\\class\\net\\" + name + L"\\";
        if (Number(ReadSmallFile(folder + L"type"), 10) == 772)
            continue;  // ARPHRD_LOOPBACK
        const unsigned long flags = Number(ReadSmallFile(folder + L"flags"), 16);
        links.push_back({std::u16string(name.begin(), name.end()),
                         static_cast<unsigned>(Number(ReadSmallFile(folder + L"ifindex"), 10)),
                         (flags & 1) != 0});
    } while (FindNextFileW(search.get(), &found));
    std::sort(links.begin(), links.end(),
              [](const HostLink& a, const HostLink& b) { return a.index < b.index; });
    std::stable_sort(links.begin(), links.end(),
                     [](const HostLink& a, const HostLink& b) { return a.up && !b.up; });
    return true;
}

TEST(AdaptersWin32, DiscoveryListsTheHostsLinksUpFirst) {
    if (!RunningUnderWine())
        GTEST_SKIP() << "the comparison reads the Linux host under Wine";
    std::vector<HostLink> links;
    ASSERT_TRUE(HostLinks(links)) << "the host's /sys/class/net cannot be read through Z:";
    if (links.empty())
        GTEST_SKIP() << "the host has no network link besides loopback";
    const std::vector<NetAdapter> adapters = DiscoverAdapters();
    ASSERT_EQ(adapters.size(), links.size());
    for (std::size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(adapters[i].Alias, links[i].name) << i;
        EXPECT_EQ(adapters[i].IsUp, links[i].up) << i;
        EXPECT_FALSE(adapters[i].Guid.empty());
    }
}

}  // namespace
