#include "sysinfo/registry_text.h"

#include <array>

namespace {

// The query is told of two bytes fewer than the buffer holds, so that the text read always
// ends in a NUL.
constexpr std::uint32_t kBufferBytes = 1024;

}  // namespace

std::u16string ReadRegistryText(std::uint32_t root, const std::u16string& subkey,
                                const std::u16string& valueName) {
    platform::RegistryKey key;
    if (!platform::RegistryOpenKey(root, subkey, kMachineKeyRead, key).Ok())
        return {};
    std::array<std::uint8_t, kBufferBytes> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = kBufferBytes - 2;
    if (!platform::RegistryQueryValue(key, valueName, type, buffer.data(), size).Ok())
        return {};
    std::u16string text;
    for (std::size_t i = 0; i + 1 < buffer.size(); i += 2) {
        const auto unit = static_cast<char16_t>(buffer[i] | buffer[i + 1] << 8);
        if (unit == u'\0')
            break;
        text.push_back(unit);
    }
    return TrimRegistryText(std::move(text));
}

std::u16string TrimRegistryText(std::u16string text) {
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\0' || text.back() == u'\r' ||
                             text.back() == u'\n')) {
        text.pop_back();
    }
    text.erase(0, text.find_first_not_of(u' '));
    return text;
}
