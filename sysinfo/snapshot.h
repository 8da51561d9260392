// The machine's fixed facts, taken once at start-up for the dashboard and the sidebar:
// processor, graphics adapter, board, Windows edition and build, cores, threads, computer
// name and elevation. Every fact that cannot be read gets a fallback; nothing is reported.
#pragma once

#include <cstdint>
#include <string>

// Fills the facts of the machine record in a fixed order, then takes the first load sample.
void TakeMachineSnapshot();

// Physical processor cores, at least 1.
std::uint32_t CountPhysicalCores();
// The first real display adapter's description, else a basic or remote one, else "GPU".
std::u16string DisplayAdapterName();
// Board maker and product, else the system product name, else "motherboard".
std::u16string BoardText();
