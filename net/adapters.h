// The machine's network interfaces, up ones first, and which one counts as active.
#pragma once

#include <string>
#include <vector>

struct NetAdapter {
    std::u16string Alias;  // the friendly name, as netsh takes it after name=
    std::u16string Guid;   // the braced adapter name of the TCP/IP interface keys
    bool IsUp = false;
};

// A fresh list each call, without loopback and tunnel interfaces or unnamed ones; empty on
// any failure.
std::vector<NetAdapter> DiscoverAdapters();
// The first interface that is up; nullptr when none is.
const NetAdapter* ActiveAdapter(const std::vector<NetAdapter>& adapters);
