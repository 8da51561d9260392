// How raw registry texts, the build number and the processor table become the machine
// record's facts; pure, so that each rule is tested on its own.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Picks the graphics adapter from the display-class descriptions in enumeration order: the
// first real adapter; else the first fallback (a basic or remote display adapter), so that
// a machine with only those still names its own; else "GPU".
class AdapterChoice {
  public:
    // True once a real adapter is chosen: the rest need not be read. Empty texts are skipped.
    bool Offer(const std::u16string& description);
    std::u16string Name() const;

  private:
    std::u16string real_;
    std::u16string fallback_;
};

// The Microsoft Basic display or render driver, or a remote display adapter.
bool IsFallbackAdapter(const std::u16string& description);

// "maker product", the product alone, or without a product the system product name, else
// "motherboard".
std::u16string BoardTextOf(const std::u16string& maker, const std::u16string& product,
                           const std::u16string& systemProduct);

// "Windows 11  build N" from build 22000 on, "Windows 10  build N" before.
std::u16string EditionText(std::uint32_t build);

// The entries of a SYSTEM_LOGICAL_PROCESSOR_INFORMATION table that describe a processor core;
// at least 1, so that a table without any still counts the core this code runs on.
std::uint32_t CoresInProcessorInformation(std::span<const std::uint8_t> table);
