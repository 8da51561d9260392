// The simulated registry: keys and value names compare without case, keys are created with
// their missing parents, handles keep the access they were opened with, and keys or values
// can be made to refuse. The simulated process is a 64-bit one, so KEY_WOW64_64KEY names the
// view it has anyway and changes nothing.
#include "platform/registry.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim.h"

namespace platform {
namespace {

constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;

sim::Registry& Reg() {
    return sim::TheMachine().registry;
}
sim::RegistryFaults& Faults() {
    return sim::TheMachine().registryFaults;
}

const sim::Registry::OpenKey* Lookup(const RegistryKey& key) {
    const auto found = Reg().open.find(key.get());
    return found == Reg().open.end() ? nullptr : &found->second;
}

RegistryKey NewHandle(const std::u16string& path, std::uint32_t access) {
    const std::intptr_t handle = Reg().nextHandle++;
    Reg().open[handle] = {path, access};
    return RegistryKey(handle);
}

void AddKeyWithParents(const std::u16string& path) {
    for (std::size_t slash = path.find(u'\\'); slash != std::u16string::npos;
         slash = path.find(u'\\', slash + 1)) {
        Reg().keys[path.substr(0, slash)];
    }
    Reg().keys[path];
}

bool IsAtOrBelow(const std::u16string& path, const std::u16string& key) {
    return sim::SameNoCase(path, key) || (path.size() > key.size() && path[key.size()] == u'\\' &&
                                          sim::SameNoCase(path.substr(0, key.size()), key));
}

bool Refuses(const std::u16string& path, std::uint32_t access) {
    for (const auto& [key, refused] : Faults().refusedAccess) {
        if ((refused & access) != 0 && IsAtOrBelow(path, key))
            return true;
    }
    return false;
}

// The key's full path, unless its root is unknown or the key refuses the access asked.
Status Reachable(std::uint32_t root, const std::u16string& subkey, std::uint32_t access,
                 std::u16string& path) {
    path = sim::RegistryPath(root, subkey);
    if (path.empty())
        return Status(kErrorInvalidHandle);
    if (Faults().deniedKeys.count(path) > 0 || Refuses(path, access))
        return Status(kErrorAccessDenied);
    return Status();
}

}  // namespace

Status RegistryOpenKey(std::uint32_t root, const std::u16string& subkey, std::uint32_t access,
                       RegistryKey& key) {
    key.reset();
    Reg().openAccess.push_back(access);
    // A missing key is not found before any right is checked, as on Windows.
    const std::u16string full = sim::RegistryPath(root, subkey);
    if (!full.empty() && Reg().keys.count(full) == 0)
        return Status(kErrorFileNotFound);
    std::u16string path;
    if (const Status allowed = Reachable(root, subkey, access, path); !allowed.Ok())
        return allowed;
    key = NewHandle(path, access);
    return Status();
}

Status RegistryCreateKey(std::uint32_t root, const std::u16string& subkey, std::uint32_t access,
                         RegistryKey& key) {
    key.reset();
    std::u16string path;
    if (const Status allowed = Reachable(root, subkey, access, path); !allowed.Ok())
        return allowed;
    AddKeyWithParents(path);
    key = NewHandle(path, access);
    return Status();
}

Status RegistryQueryValue(const RegistryKey& key, const std::u16string& name, std::uint32_t& type,
                          std::uint8_t* data, std::uint32_t& size) {
    const sim::Registry::OpenKey* open = Lookup(key);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (!(open->access & kKeyQueryValue))
        return Status(kErrorAccessDenied);
    const auto& values = Reg().keys[open->path].values;
    const auto found = values.find(name);
    if (found == values.end())
        return Status(kErrorFileNotFound);
    const std::u16string valuePath = open->path + u"\\" + name;
    if ((data == nullptr ? Faults().sizeReadFails : Faults().secondReadFails).count(valuePath) >
        0) {
        return Status(kErrorAccessDenied);
    }
    const sim::Bytes& bytes = found->second.data;
    type = found->second.type;
    const std::uint32_t capacity = size;
    size = static_cast<std::uint32_t>(bytes.size());
    if (data == nullptr)
        return Status();
    if (capacity < bytes.size())
        return Status(kErrorMoreData);
    std::copy(bytes.begin(), bytes.end(), data);
    return Status();
}

Status RegistrySetValue(const RegistryKey& key, const std::u16string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) {
    const sim::Registry::OpenKey* open = Lookup(key);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (!(open->access & kKeySetValue))
        return Status(kErrorAccessDenied);
    Reg().keys[open->path].values[name] = {type, sim::Bytes(data, data + size)};
    return Status();
}

Status RegistryDeleteValue(const RegistryKey& key, const std::u16string& name) {
    const sim::Registry::OpenKey* open = Lookup(key);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (!(open->access & kKeySetValue) || Faults().deleteDenied.count(open->path) > 0) {
        return Status(kErrorAccessDenied);
    }
    auto& values = Reg().keys[open->path].values;
    const auto found = values.find(name);
    if (found == values.end())
        return Status(kErrorFileNotFound);
    values.erase(found);
    return Status();
}

Status RegistryEnumKey(const RegistryKey& key, std::uint32_t index, std::uint32_t capacity,
                       std::u16string& name) {
    name.clear();
    const sim::Registry::OpenKey* open = Lookup(key);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if ((open->access & kKeyEnumerateSubKeys) == 0)
        return Status(kErrorAccessDenied);
    // Keys are stored by full path in case-insensitive order, which is also the order
    // Windows enumerates subkeys in.
    const std::u16string prefix = open->path + u"\\";
    std::uint32_t seen = 0;
    for (auto it = Reg().keys.upper_bound(prefix); it != Reg().keys.end(); ++it) {
        const std::u16string& path = it->first;
        if (path.size() <= prefix.size() || !sim::SameNoCase(path.substr(0, prefix.size()), prefix))
            break;
        const std::u16string child = path.substr(prefix.size());
        if (child.find(u'\\') != std::u16string::npos)
            continue;
        if (seen++ == index) {
            if (child.size() + 1 > capacity)
                return Status(kErrorMoreData);
            name = child;
            return Status();
        }
    }
    return Status(kErrorNoMoreItems);
}

void RegistryCloseKey(std::intptr_t handle) {
    Reg().open.erase(handle);
}

}  // namespace platform

namespace sim {

std::u16string RegistryPath(std::uint32_t root, const std::u16string& subkey) {
    std::u16string path;
    if (root == platform::kHkeyCurrentUser) {
        path = u"HKEY_CURRENT_USER";
    } else if (root == platform::kHkeyLocalMachine) {
        path = u"HKEY_LOCAL_MACHINE";
    } else {
        return {};
    }
    if (!subkey.empty())
        path += u"\\" + subkey;
    return path;
}

void PutRegistryValue(std::uint32_t root, const std::u16string& subkey, const std::u16string& name,
                      std::uint32_t type, Bytes data) {
    // Seeds the machine as it is, whatever faults are set.
    const std::u16string path = RegistryPath(root, subkey);
    platform::AddKeyWithParents(path);
    TheMachine().registry.keys[path].values[name] = {type, std::move(data)};
}

std::optional<RegistryValue> RegistryValueOf(std::uint32_t root, const std::u16string& subkey,
                                             const std::u16string& name) {
    const auto& keys = TheMachine().registry.keys;
    const auto key = keys.find(RegistryPath(root, subkey));
    if (key == keys.end())
        return std::nullopt;
    const auto value = key->second.values.find(name);
    if (value == key->second.values.end())
        return std::nullopt;
    return value->second;
}

bool RegistryKeyExists(std::uint32_t root, const std::u16string& subkey) {
    return TheMachine().registry.keys.count(RegistryPath(root, subkey)) > 0;
}

}  // namespace sim
