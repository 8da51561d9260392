// COM on the interface thread, and the process-wide call security that lets the system's
// services (System Restore among them) call back into the program.
#pragma once

#include <windows.h>

#include <memory>

class ComSecurityDescriptor;
class InterfaceCom;

// Empty when a SID, the ACL or the descriptor could not be made.
[[nodiscard]] std::unique_ptr<ComSecurityDescriptor> BuildComSecurityDescriptor();

// CoInitializeEx (single-threaded apartment, no OLE1 DDE) on the calling thread, then
// CoInitializeSecurity with the descriptor below: packet privacy, identify-level
// impersonation, no activate-as-activator, no custom marshalling. The program runs without
// either; their results are only kept for the caller to look at.
[[nodiscard]] InterfaceCom StartInterfaceCom();

// Allow ACEs for COM execute (COM_RIGHTS_EXECUTE) to BUILTIN\Administrators, NetworkService,
// LocalService and System, in that order; owner and group BUILTIN\Administrators.
// Absolute format, as CoInitializeSecurity takes it: the descriptor points at the SIDs and the
// ACL stored beside it in this object, so it is made on the heap and never copied or moved.
class ComSecurityDescriptor {
  public:
    // Room for any SID, aligned for the SID structure.
    union SidBuffer {
        SID sid;
        BYTE bytes[SECURITY_MAX_SID_SIZE];
    };
    static constexpr int kCallerCount = 4;
    static constexpr DWORD kAclBytes =
        sizeof(ACL) +
        kCallerCount * (sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + SECURITY_MAX_SID_SIZE);

    ComSecurityDescriptor() = default;
    ComSecurityDescriptor(const ComSecurityDescriptor&) = delete;
    ComSecurityDescriptor& operator=(const ComSecurityDescriptor&) = delete;

    PSECURITY_DESCRIPTOR get() { return &descriptor_; }

  private:
    friend std::unique_ptr<ComSecurityDescriptor> BuildComSecurityDescriptor();

    SECURITY_DESCRIPTOR descriptor_{};
    SidBuffer callers_[kCallerCount]{};
    union {
        ACL header;
        BYTE bytes[kAclBytes];
    } acl_{};
};

// The calling thread's share of COM, from StartInterfaceCom until this object goes: it then
// calls CoUninitialize when CoInitializeEx succeeded (S_FALSE included).
class [[nodiscard]] InterfaceCom {
  public:
    InterfaceCom(const InterfaceCom&) = delete;
    InterfaceCom& operator=(const InterfaceCom&) = delete;
    ~InterfaceCom();

    // CoInitializeEx's result.
    HRESULT Apartment() const { return apartment_; }
    // CoInitializeSecurity's result; E_FAIL when it was not called for want of the apartment
    // or of the descriptor.
    HRESULT Security() const { return security_; }

  private:
    friend InterfaceCom StartInterfaceCom();
    InterfaceCom(HRESULT apartment, HRESULT security)
        : apartment_(apartment), security_(security) {}

    HRESULT apartment_;
    HRESULT security_;
};
