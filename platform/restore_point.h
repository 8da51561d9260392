// System Restore, shaped like SRSetRestorePointW (loaded at run time from SrClient.dll in
// the system directory, sfc.dll there as a fallback) and a WMI query of the SystemRestore
// class in root\default, with the COM apartment the worker thread needs around them.
// Called on the restore-point worker only.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

namespace platform {

inline constexpr std::uint32_t kBeginSystemChange = 100;
inline constexpr std::uint32_t kModifySettings = 12;

// CoInitializeEx(COINIT_MULTITHREADED) for the calling thread; CoUninitialize when it goes.
class [[nodiscard]] ComApartment {
  public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    Status Entered() const { return status_; }

  private:
    Status status_;
    bool entered_ = false;
};

// The highest SequenceNumber among the machine's restore points; 0 when there is none.
[[nodiscard]] Status RestorePointHighestSequence(std::int64_t& sequence);

// One BEGIN_SYSTEM_CHANGE / MODIFY_SETTINGS request with the description (cut to 255 units).
// Success when the call returned TRUE; `smgrStatus` and `sequence` are the status record's
// nStatus and llSequenceNumber either way.
[[nodiscard]] Status RestorePointSet(const std::u16string& description, std::uint32_t& smgrStatus,
                                     std::int64_t& sequence);

}  // namespace platform
