#include "engine/catalog.h"

#include <cstring>

namespace {
constexpr RiskLevel kSafe = RiskLevel::Safe;
constexpr RiskLevel kAdv = RiskLevel::Adv;
constexpr RiskLevel kRisky = RiskLevel::Risky;
}  // namespace

const std::array<TweakEntry, kTweakCount> TweakCatalog = {{
    {"gamedvr", "Game DVR", "Graphics", "Cuts Game Bar background recording.", kSafe, true},
    {"gamebar", "Game Bar", "Graphics", "Disables the Xbox panel and auto capture.", kSafe, true},
    {"fso", "Exclusive fullscreen", "Graphics", "Forces FSE, bypasses fullscreen optimizations.",
     kAdv, true},
    {"hags", "GPU scheduling", "Graphics", "HwSchMode=2. Hardware GPU scheduling, lower latency.",
     kAdv, true},
    {"gamemode", "Game Mode", "System", "Forces Windows Game Mode for GPU/CPU priority.", kSafe,
     true},
    {"priority", "Thread priority", "System",
     "Win32PrioritySeparation 38: short quantum, foreground.", kSafe, true},
    {"visualfx", "Visual effects", "System", "Cuts Windows animations and shadows. Less CPU.",
     kSafe, true},
    {"transparency", "Transparency", "System", "Disables acrylic on the taskbar and menu.", kSafe,
     true},
    {"menudelay", "Menu delays", "System", "MenuShowDelay 0, shorter close wait.", kSafe, true},
    {"startupdelay", "Startup delay", "System", "Removes the 10 s app delay at login.", kSafe,
     true},
    {"powerplan", "High performance", "System",
     "Enables the high performance plan (Ultimate if present).", kSafe, true},
    {"timerres", "Timer 0.5 ms", "System", "NtSetTimerResolution held by a dedicated thread.", kAdv,
     true},
    {"hibernate", "Hibernation", "System", "powercfg /h off. Frees hiberfil.sys.", kAdv, true},
    {"mouseaccel", "Mouse acceleration", "Input", "Removes pointer acceleration. 1:1 aim.", kSafe,
     true},
    {"nagle", "Nagle", "Network", "TcpAckFrequency and TCPNoDelay on all interfaces.", kAdv, true},
    {"netthrottle", "Network Throttling", "Network", "Removes the MMCSS network packet cap.", kAdv,
     true},
    {"mmcss", "MMCSS reservation", "Network", "SystemResponsiveness at 10% instead of 20.", kAdv,
     true},
    {"tcptune", "TCP stack", "Network", "TTL, window scaling, SACK, RSS, DCA.", kAdv, true},
    {"dns", "DNS Cloudflare", "Network", "1.1.1.1 / 1.0.0.1 on the active interface.", kAdv, true},
    {"telemetry", "Telemetry", "Privacy", "AllowTelemetry=0 via machine policy.", kSafe, true},
    {"diagtrack", "DiagTrack", "Privacy", "Telemetry service stopped and disabled.", kAdv, true},
    {"feedback", "Feedback", "Privacy", "Cuts Windows Feedback prompts.", kSafe, true},
    {"activity", "Activity history", "Privacy", "No more timeline collection or upload.", kSafe,
     true},
    {"adid", "Advertising ID", "Privacy", "Disables the ad ID and personalization.", kSafe, true},
    {"debloat-appx", "Preinstalled apps", "Debloat",
     "Removes 16 unneeded Store packages. Irreversible.", kRisky, false},
    {"debloat-services", "Sidecar services", "Debloat",
     "MapsBroker, RemoteRegistry, RetailDemo, Fax, WMPNetworkSvc.", kAdv, true},
    {"debloat-tasks", "Telemetry tasks", "Debloat", "Disables CEIP, Appraiser and Feedback tasks.",
     kAdv, true},
}};

const TweakEntry* LookupTweak(std::string_view id) {
    for (const TweakEntry& entry : TweakCatalog) {
        if (id == entry.id)
            return &entry;
    }
    return nullptr;
}

int CountInCategory(const char* category) {
    int count = 0;
    for (const TweakEntry& entry : TweakCatalog) {
        if (std::strcmp(entry.category, category) == 0)
            ++count;
    }
    return count;
}
