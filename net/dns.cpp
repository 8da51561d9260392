#include "net/dns.h"

#include "actions/command_runner.h"
#include "actions/registry.h"
#include "net/adapters.h"
#include "platform/registry.h"
#include "state/text.h"

namespace {

const std::u16string kV4SetPrefix = u"interface ipv4 set dnsservers name=\"";
const std::u16string kV4AddPrefix = u"interface ipv4 add dnsservers name=\"";
const std::u16string kV6SetPrefix = u"interface ipv6 set dnsservers name=\"";
const std::u16string kV6AddPrefix = u"interface ipv6 add dnsservers name=\"";
const std::u16string kStatic = u"\" static ";
const std::u16string kThenSpace = u"\" ";
const std::u16string kSourceDhcp = u"\" source=dhcp";
const std::u16string kPrimary = u" primary";
const std::u16string kIndex = u" index=";

const std::u16string kV4Interfaces =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const std::u16string kV6Interfaces =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip6\\Parameters\\Interfaces\\";
const std::u16string kNameServer = u"NameServer";

constexpr std::string_view kUnsafeName = "interface name unsafe on a command line";

std::u16string Decimal(unsigned value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

Result SetStatic(const std::u16string& prefix, const std::u16string& alias,
                 const std::u16string& server) {
    return RunNetsh(prefix + alias + kStatic + server + kPrimary);
}

Result AddServer(const std::u16string& addPrefix, const std::u16string& alias,
                 const std::u16string& server, unsigned index) {
    return RunNetsh(addPrefix + alias + kThenSpace + server + kIndex + Decimal(index));
}

Result SetDhcp(const std::u16string& prefix, const std::u16string& alias) {
    return RunNetsh(prefix + alias + kSourceDhcp);
}

void FlushResolver() {
    static_cast<void>(RunCommand(u"ipconfig /flushdns"));
}

std::vector<std::u16string> ServerTokens(const std::u16string& text) {
    std::vector<std::u16string> tokens;
    std::u16string current;
    for (const char16_t c : text) {
        if (c == u',' || c == u' ') {
            if (!current.empty())
                tokens.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        tokens.push_back(std::move(current));
    return tokens;
}

// Restores one family's servers: DHCP when none were captured, else each server on its own,
// the first as primary and every other at its place. Every command runs; the result is the
// first refusal, or ok when none was needed.
Result RestoreFamily(const std::u16string& setPrefix, const std::u16string& addPrefix,
                     const std::u16string& alias, const std::u16string& text) {
    if (text.empty())
        return SetDhcp(setPrefix, alias);
    const std::vector<std::u16string> tokens = ServerTokens(text);
    if (tokens.empty())
        return {};
    Result result = SetStatic(setPrefix, alias, tokens[0]);
    for (std::size_t k = 1; k < tokens.size(); ++k)
        result.KeepFirst(AddServer(addPrefix, alias, tokens[k], static_cast<unsigned>(k + 1)));
    return result;
}

}  // namespace

const std::array<DnsPreset, 3> kDnsPresets = {{
    {"CLOUDFLARE 1.1.1.1", u"1.1.1.1", u"1.0.0.1"},
    {"GOOGLE 8.8.8.8", u"8.8.8.8", u"8.8.4.4"},
    {"QUAD9 9.9.9.9", u"9.9.9.9", u"149.112.112.112"},
}};

bool IsSafeInterfaceName(std::u16string_view name) {
    for (const char16_t c : name) {
        if (c == u'"' || c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return false;
    }
    return !name.empty() && name.back() != u'\\';
}

Result RunNetsh(const std::u16string& arguments) {
    return RunCommand(u"netsh " + arguments);
}

std::u16string NameServerText(const RegistryCapture& capture) {
    if (!capture.existed || capture.type != platform::kRegSz || capture.data.size() < 2)
        return {};
    std::u16string text;
    for (std::size_t at = 0; at + 1 < capture.data.size(); at += 2) {
        text.push_back(static_cast<char16_t>(capture.data[at] | (capture.data[at + 1] << 8)));
    }
    while (!text.empty() && text.back() == u'\0')
        text.pop_back();
    return text;
}

Result ApplyDns(AppState& state, std::string_view id, const std::u16string& primary,
                const std::u16string& secondary) {
    std::vector<NetAdapter> adapters;
    if (Result listed = ListAdapters(adapters); !listed.Ok())
        return listed;
    if (adapters.empty())
        return Refusal::Own("no active interface");
    const NetAdapter* active = ActiveAdapter(adapters);
    const NetAdapter& adapter = active != nullptr ? *active : adapters.front();
    // Checked before anything is recorded, so a refused name leaves no trace.
    if (!IsSafeInterfaceName(adapter.Alias))
        return Refusal::Own(kUnsafeName);
    // Without both captures the undo could not put the user's servers back, so nothing is
    // recorded and nothing runs unless both values were read.
    RegistryCapture v4;
    RegistryCapture v6;
    if (Result read = ReadRegistryValue(RegistryRoot::LocalMachine, kV4Interfaces + adapter.Guid,
                                        kNameServer, v4);
        !read.Ok()) {
        return read;
    }
    if (Result read = ReadRegistryValue(RegistryRoot::LocalMachine, kV6Interfaces + adapter.Guid,
                                        kNameServer, v6);
        !read.Ok()) {
        return read;
    }
    state.BackupStore["dns.alias"] = ToUtf8(adapter.Alias);
    state.BackupStore["dns.guid"] = ToUtf8(adapter.Guid);
    state.BackupStore["dns.v4"] = ToUtf8(primary);
    state.BackupStore["dns.v4b"] = ToUtf8(secondary);
    auto& captures = CaptureList(state.RegistryBackups, id);
    captures.push_back(std::move(v4));
    captures.push_back(std::move(v6));
    Result result = SetStatic(kV4SetPrefix, adapter.Alias, primary);
    if (!secondary.empty())
        static_cast<void>(AddServer(kV4AddPrefix, adapter.Alias, secondary, 2));
    static_cast<void>(SetDhcp(kV6SetPrefix, adapter.Alias));
    FlushResolver();
    return result;
}

Result RevertDns(const AppState& state) {
    const auto recorded = state.BackupStore.find("dns.alias");
    const std::u16string alias =
        recorded != state.BackupStore.end() ? ToUtf16(recorded->second) : std::u16string();
    if (alias.empty())
        return Refusal::Own("no interface recorded");
    if (!IsSafeInterfaceName(alias))
        return Refusal::Own(kUnsafeName);
    std::u16string v4;
    std::u16string v6;
    if (const auto captures = state.RegistryBackups.find("dns");
        captures != state.RegistryBackups.end()) {
        for (const RegistryCapture& capture : captures->second) {
            (capture.subkey.find(u"Tcpip6") != std::u16string::npos ? v6 : v4) =
                NameServerText(capture);
        }
    }
    Result restored = RestoreFamily(kV4SetPrefix, kV4AddPrefix, alias, v4);
    restored.KeepFirst(RestoreFamily(kV6SetPrefix, kV6AddPrefix, alias, v6));
    FlushResolver();
    return restored;
}
