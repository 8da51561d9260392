#include "engine/catalog.h"

#include <cstring>

namespace {
constexpr RiskLevel S = RiskLevel::Safe;
constexpr RiskLevel A = RiskLevel::Adv;
constexpr RiskLevel R = RiskLevel::Risky;
}  // namespace

const std::array<TweakEntry, kTweakCount> TweakCatalog = {{
    {"gamedvr", "Game DVR", "Graphics", "Cuts Game Bar background recording.", S, true},
    {"gamebar", "Game Bar", "Graphics", "Disables the Xbox panel and auto capture.", S, true},
    {"fso", "Exclusive fullscreen", "Graphics", "Forces FSE, bypasses fullscreen optimizations.", A,
     true},
    {"hags", "GPU scheduling", "Graphics", "HwSchMode=2. Hardware GPU scheduling, lower latency.",
     A, true},
    {"gamemode", "Game Mode", "System", "Forces Windows Game Mode for GPU/CPU priority.", S, true},
    {"priority", "Thread priority", "System",
     "Win32PrioritySeparation 38: short quantum, foreground.", S, true},
    {"visualfx", "Visual effects", "System", "Cuts Windows animations and shadows. Less CPU.", S,
     true},
    {"transparency", "Transparency", "System", "Disables acrylic on the taskbar and menu.", S,
     true},
    {"menudelay", "Menu delays", "System", "MenuShowDelay 0, shorter close wait.", S, true},
    {"startupdelay", "Startup delay", "System", "Removes the 10 s app delay at login.", S, true},
    {"powerplan", "High performance", "System",
     "Enables the high performance plan (Ultimate if present).", S, true},
    {"timerres", "Timer 0.5 ms", "System", "NtSetTimerResolution held by a dedicated thread.", A,
     true},
    {"hibernate", "Hibernation", "System", "powercfg /h off. Frees hiberfil.sys.", A, true},
    {"mouseaccel", "Mouse acceleration", "Input", "Removes pointer acceleration. 1:1 aim.", S,
     true},
    {"nagle", "Nagle", "Network", "TcpAckFrequency and TCPNoDelay on all interfaces.", A, true},
    {"netthrottle", "Network Throttling", "Network", "Removes the MMCSS network packet cap.", A,
     true},
    {"mmcss", "MMCSS reservation", "Network", "SystemResponsiveness at 10% instead of 20.", A,
     true},
    {"tcptune", "TCP stack", "Network", "TTL, window scaling, SACK, RSS, DCA.", A, true},
    {"dns", "DNS Cloudflare", "Network", "1.1.1.1 / 1.0.0.1 on the active interface.", A, true},
    {"telemetry", "Telemetry", "Privacy", "AllowTelemetry=0 via machine policy.", S, true},
    {"diagtrack", "DiagTrack", "Privacy", "Telemetry service stopped and disabled.", A, true},
    {"feedback", "Feedback", "Privacy", "Cuts Windows Feedback prompts.", S, true},
    {"activity", "Activity history", "Privacy", "No more timeline collection or upload.", S, true},
    {"adid", "Advertising ID", "Privacy", "Disables the ad ID and personalization.", S, true},
    {"debloat-appx", "Preinstalled apps", "Debloat",
     "Removes 16 unneeded Store packages. Irreversible.", R, false},
    {"debloat-services", "Sidecar services", "Debloat",
     "MapsBroker, RemoteRegistry, RetailDemo, Fax, WMPNetworkSvc.", A, true},
    {"debloat-tasks", "Telemetry tasks", "Debloat", "Disables CEIP, Appraiser and Feedback tasks.",
     A, true},
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
