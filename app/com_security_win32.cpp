#include "app/com_security_win32.h"

#include <objbase.h>

namespace {

// The accounts whose services may call into the program: System Restore's among them.
constexpr WELL_KNOWN_SID_TYPE kCallers[ComSecurityDescriptor::kCallerCount] = {
    WinBuiltinAdministratorsSid, WinNetworkServiceSid, WinLocalServiceSid, WinLocalSystemSid};

static_assert(ComSecurityDescriptor::kAclBytes % sizeof(DWORD) == 0,
              "InitializeAcl takes a size in whole DWORDs");

}  // namespace

std::unique_ptr<ComSecurityDescriptor> BuildComSecurityDescriptor() {
    auto built = std::make_unique<ComSecurityDescriptor>();
    ACL* acl = &built->acl_.header;
    if (!InitializeAcl(acl, ComSecurityDescriptor::kAclBytes, ACL_REVISION))
        return nullptr;
    for (int i = 0; i < ComSecurityDescriptor::kCallerCount; ++i) {
        PSID sid = &built->callers_[i].sid;
        DWORD size = SECURITY_MAX_SID_SIZE;
        if (!CreateWellKnownSid(kCallers[i], nullptr, sid, &size) ||
            !AddAccessAllowedAce(acl, ACL_REVISION, COM_RIGHTS_EXECUTE, sid))
            return nullptr;
    }
    PSID administrators = &built->callers_[0].sid;
    SECURITY_DESCRIPTOR* descriptor = &built->descriptor_;
    if (!InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorOwner(descriptor, administrators, FALSE) ||
        !SetSecurityDescriptorGroup(descriptor, administrators, FALSE) ||
        !SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE) ||
        !IsValidSecurityDescriptor(descriptor))
        return nullptr;
    return built;
}

InterfaceCom::~InterfaceCom() {
    if (SUCCEEDED(apartment_))
        CoUninitialize();
}

InterfaceCom StartInterfaceCom() {
    const HRESULT apartment =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (FAILED(apartment))
        return InterfaceCom(apartment, E_FAIL);
    const std::unique_ptr<ComSecurityDescriptor> descriptor = BuildComSecurityDescriptor();
    if (!descriptor)
        return InterfaceCom(apartment, E_FAIL);
    // COM copies the descriptor; ours may go when the call returns.
    const HRESULT security = CoInitializeSecurity(
        descriptor->get(), -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
        RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_DISABLE_AAA | EOAC_NO_CUSTOM_MARSHAL, nullptr);
    return InterfaceCom(apartment, security);
}
