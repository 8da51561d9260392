#include "actions/registry.h"

#include <vector>

#include "platform/registry.h"

namespace {

bool IsKnownRoot(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser || root == RegistryRoot::LocalMachine;
}

std::uint32_t Root(RegistryRoot root) {
    return static_cast<std::uint32_t>(root);
}

Result WriteRegistryValue(RegistryRoot root, const std::u16string& subkey,
                          const std::u16string& valueName, std::uint32_t type,
                          std::span<const std::uint8_t> bytes) {
    platform::RegistryKey key;
    if (const platform::Status created =
            platform::RegistryCreateKey(Root(root), subkey, platform::kKeySetValue, key);
        !created.Ok()) {
        return Refusal::Call("RegCreateKeyExW", created.Code());
    }
    // A zero-length value still needs a valid pointer.
    static constexpr std::uint8_t kNothing = 0;
    const std::uint8_t* data = bytes.empty() ? &kNothing : bytes.data();
    if (const platform::Status set = platform::RegistrySetValue(
            key, valueName, type, data, static_cast<std::uint32_t>(bytes.size()));
        !set.Ok()) {
        return Refusal::Call("RegSetValueExW", set.Code());
    }
    return {};
}

std::vector<std::uint8_t> StringBytes(const std::u16string& text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});  // the terminating NUL
    return bytes;
}

}  // namespace

Result ReadRegistryValue(RegistryRoot root, const std::u16string& subkey,
                         const std::u16string& valueName, RegistryCapture& capture) {
    capture = RegistryCapture{root, subkey, valueName, false, 0, {}};
    platform::RegistryKey key;
    // Only "not found" is absence; a key or value that refuses to be read is not absent,
    // and capturing it as such would make the undo delete it.
    if (const platform::Status opened =
            platform::RegistryOpenKey(Root(root), subkey, platform::kKeyRead, key);
        !opened.Ok()) {
        return opened.IsNotFound() ? Result() : Refusal::Call("RegOpenKeyExW", opened.Code());
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (const platform::Status sized =
            platform::RegistryQueryValue(key, valueName, type, nullptr, size);
        !sized.Ok()) {
        return sized.IsNotFound() ? Result() : Refusal::Call("RegQueryValueExW", sized.Code());
    }
    std::vector<std::uint8_t> data(size == 0 ? 1 : size, 0);
    size = static_cast<std::uint32_t>(data.size());
    if (const platform::Status read =
            platform::RegistryQueryValue(key, valueName, type, data.data(), size);
        !read.Ok()) {
        return Refusal::Call("RegQueryValueExW", read.Code());
    }
    data.resize(size, 0);
    capture.existed = true;
    capture.type = type;
    capture.data = std::move(data);
    return {};
}

Result CaptureRegistryValue(AppState& state, std::string_view id, RegistryRoot root,
                            const std::u16string& subkey, const std::u16string& valueName) {
    RegistryCapture capture;
    Result read = ReadRegistryValue(root, subkey, valueName, capture);
    if (read.Ok())
        CaptureList(state.RegistryBackups, id).push_back(std::move(capture));
    return read;
}

Result WriteRegistryDword(RegistryRoot root, const std::u16string& subkey,
                          const std::u16string& valueName, std::uint32_t value) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return WriteRegistryValue(root, subkey, valueName, platform::kRegDword, bytes);
}

Result WriteRegistryString(RegistryRoot root, const std::u16string& subkey,
                           const std::u16string& valueName, const std::u16string& text) {
    return WriteRegistryValue(root, subkey, valueName, platform::kRegSz, StringBytes(text));
}

Result SetDwordCaptured(AppState& state, std::string_view id, RegistryRoot root,
                        const std::u16string& subkey, const std::u16string& valueName,
                        std::uint32_t value) {
    if (Result captured = CaptureRegistryValue(state, id, root, subkey, valueName); !captured.Ok())
        return captured;
    return WriteRegistryDword(root, subkey, valueName, value);
}

Result SetStringCaptured(AppState& state, std::string_view id, RegistryRoot root,
                         const std::u16string& subkey, const std::u16string& valueName,
                         const std::u16string& text) {
    if (Result captured = CaptureRegistryValue(state, id, root, subkey, valueName); !captured.Ok())
        return captured;
    return WriteRegistryString(root, subkey, valueName, text);
}

Result SetBinaryCaptured(AppState& state, std::string_view id, RegistryRoot root,
                         const std::u16string& subkey, const std::u16string& valueName,
                         std::span<const std::uint8_t> bytes) {
    if (Result captured = CaptureRegistryValue(state, id, root, subkey, valueName); !captured.Ok())
        return captured;
    return WriteRegistryValue(root, subkey, valueName, platform::kRegBinary, bytes);
}

Result RestoreRegistryValue(const RegistryCapture& capture) {
    if (!IsKnownRoot(capture.root))
        return Refusal::Own("not a root this program writes");
    if (capture.existed) {
        return WriteRegistryValue(capture.root, capture.subkey, capture.valueName, capture.type,
                                  capture.data);
    }
    platform::RegistryKey key;
    // No key, nothing to delete; the key is not created. A key that is there but refuses
    // the open (a standard user under HKLM) still holds the value: that is no restore.
    if (const platform::Status opened = platform::RegistryOpenKey(
            Root(capture.root), capture.subkey, platform::kKeySetValue, key);
        !opened.Ok()) {
        return opened.IsNotFound() ? Result() : Refusal::Call("RegOpenKeyExW", opened.Code());
    }
    const platform::Status deleted = platform::RegistryDeleteValue(key, capture.valueName);
    if (deleted.Ok() || deleted.Code() == platform::kErrorFileNotFound)
        return {};
    return Refusal::Call("RegDeleteValueW", deleted.Code());
}
