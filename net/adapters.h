// The machine's network interfaces, up ones first, and which one counts as active.
#pragma once

#include <string>
#include <vector>

#include "state/refusal.h"

struct NetAdapter {
    std::u16string Alias;  // the friendly name, as netsh takes it after name=
    std::u16string Guid;   // the braced adapter name of the TCP/IP interface keys
    bool IsUp = false;
};

// A fresh list each call, without loopback and tunnel interfaces or unnamed ones. Refused,
// with the list empty, when GetAdaptersAddresses was.
[[nodiscard]] Result ListAdapters(std::vector<NetAdapter>& adapters);
// The same list; empty on any failure.
std::vector<NetAdapter> DiscoverAdapters();
// The first interface that is up; nullptr when none is.
const NetAdapter* ActiveAdapter(const std::vector<NetAdapter>& adapters);
