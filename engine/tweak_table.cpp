#include "engine/tweak_table.h"

#include "platform/registry.h"

namespace {

using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegSz;
constexpr RegistryRoot kHkcu = RegistryRoot::CurrentUser;
constexpr RegistryRoot kHklm = RegistryRoot::LocalMachine;

constexpr RegistryWrite Dword(RegistryRoot root, std::u16string_view key, std::u16string_view value,
                              std::uint32_t data) {
    return {root, key, value, kRegDword, data};
}
constexpr RegistryWrite Text(RegistryRoot root, std::u16string_view key, std::u16string_view value,
                             std::u16string_view data) {
    return {root, key, value, kRegSz, 0, data};
}

constexpr std::u16string_view kGameConfig = u"System\\GameConfigStore";
constexpr std::u16string_view kGameBar = u"Software\\Microsoft\\GameBar";
constexpr std::u16string_view kDesktop = u"Control Panel\\Desktop";
constexpr std::u16string_view kMouse = u"Control Panel\\Mouse";
constexpr std::u16string_view kSystemProfile =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile";
constexpr std::u16string_view kTcpip = u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr std::u16string_view kDataCollectionPolicy =
    u"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection";
constexpr std::u16string_view kSystemPolicy = u"SOFTWARE\\Policies\\Microsoft\\Windows\\System";

constexpr std::uint8_t kUserPreferencesMask[] = {0x90, 0x12, 0x03, 0x80, 0x10, 0x00, 0x00, 0x00};

constexpr RegistryWrite kGameDvr[] = {
    Dword(kHkcu, kGameConfig, u"GameDVR_Enabled", 0),
    Dword(kHklm, u"SOFTWARE\\Policies\\Microsoft\\Windows\\GameDVR", u"AllowGameDVR", 0)};
constexpr RegistryWrite kGameBarWrites[] = {
    Dword(kHkcu, kGameBar, u"ShowStartupPanel", 0),
    Dword(kHkcu, kGameBar, u"UseNexusForGameBarEnabled", 0),
    Dword(kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\GameDVR", u"AppCaptureEnabled",
          0)};
constexpr RegistryWrite kFso[] = {
    Dword(kHkcu, kGameConfig, u"GameDVR_FSEBehaviorMode", 2),
    Dword(kHkcu, kGameConfig, u"GameDVR_HonorUserFSEBehaviorMode", 1),
    Dword(kHkcu, kGameConfig, u"GameDVR_DXGIHonorFSEWindowsCompatible", 1),
    Dword(kHkcu, kGameConfig, u"GameDVR_EFSEFeatureFlags", 0)};
constexpr RegistryWrite kHags[] = {
    Dword(kHklm, u"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers", u"HwSchMode", 2)};
constexpr RegistryWrite kGameMode[] = {Dword(kHkcu, kGameBar, u"AutoGameModeEnabled", 1),
                                       Dword(kHkcu, kGameBar, u"AllowAutoGameMode", 1)};
constexpr RegistryWrite kPriority[] = {Dword(
    kHklm, u"SYSTEM\\CurrentControlSet\\Control\\PriorityControl", u"Win32PrioritySeparation", 38)};
constexpr RegistryWrite kVisualFx[] = {
    Dword(kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects",
          u"VisualFXSetting", 2),
    {kHkcu, kDesktop, u"UserPreferencesMask", kRegBinary, 0, {}, kUserPreferencesMask}};
constexpr RegistryWrite kTransparency[] = {
    Dword(kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
          u"EnableTransparency", 0)};
constexpr RegistryWrite kMenuDelay[] = {Text(kHkcu, kDesktop, u"MenuShowDelay", u"0"),
                                        Text(kHkcu, kDesktop, u"HungAppTimeout", u"1000"),
                                        Text(kHkcu, kDesktop, u"WaitToKillAppTimeout", u"2000")};
constexpr RegistryWrite kStartupDelay[] = {
    Dword(kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Serialize",
          u"StartupDelayInMSec", 0)};
constexpr RegistryWrite kMouseAccel[] = {Text(kHkcu, kMouse, u"MouseSpeed", u"0"),
                                         Text(kHkcu, kMouse, u"MouseThreshold1", u"0"),
                                         Text(kHkcu, kMouse, u"MouseThreshold2", u"0")};
constexpr RegistryWrite kNagle[] = {Dword(kHklm, kTcpipInterfacesKey, u"TcpAckFrequency", 1),
                                    Dword(kHklm, kTcpipInterfacesKey, u"TCPNoDelay", 1),
                                    Dword(kHklm, kTcpipInterfacesKey, u"TcpDelAckTicks", 0)};
constexpr RegistryWrite kNetThrottle[] = {
    Dword(kHklm, kSystemProfile, u"NetworkThrottlingIndex", 0xFFFFFFFFu)};
constexpr RegistryWrite kMmcss[] = {Dword(kHklm, kSystemProfile, u"SystemResponsiveness", 10)};
constexpr RegistryWrite kTcpTune[] = {
    Dword(kHklm, kTcpip, u"DefaultTTL", 64), Dword(kHklm, kTcpip, u"Tcp1323Opts", 1),
    Dword(kHklm, kTcpip, u"SackOpts", 1), Dword(kHklm, kTcpip, u"EnableDCA", 1),
    Dword(kHklm, kTcpip, u"EnableRSS", 1)};
constexpr RegistryWrite kTelemetry[] = {
    Dword(kHklm, kDataCollectionPolicy, u"AllowTelemetry", 0),
    Dword(kHklm, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\DataCollection",
          u"AllowTelemetry", 0)};
constexpr RegistryWrite kFeedback[] = {
    Dword(kHkcu, u"Software\\Microsoft\\Siuf\\Rules", u"NumberOfSIUFInPeriod", 0),
    Dword(kHklm, kDataCollectionPolicy, u"DoNotShowFeedbackNotifications", 1)};
constexpr RegistryWrite kActivity[] = {Dword(kHklm, kSystemPolicy, u"EnableActivityFeed", 0),
                                       Dword(kHklm, kSystemPolicy, u"PublishUserActivities", 0),
                                       Dword(kHklm, kSystemPolicy, u"UploadUserActivities", 0)};
constexpr RegistryWrite kAdId[] = {
    Dword(kHkcu, u"Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo", u"Enabled", 0),
    Dword(kHklm, u"SOFTWARE\\Policies\\Microsoft\\Windows\\AdvertisingInfo",
          u"DisabledByGroupPolicy", 1)};

constexpr std::u16string_view kDiagTrackServices[] = {u"DiagTrack", u"dmwappushservice"};
constexpr std::u16string_view kSidecarServices[] = {u"MapsBroker", u"RemoteRegistry", u"RetailDemo",
                                                    u"WMPNetworkSvc", u"Fax"};

constexpr const char16_t* kAppxPackages[] = {
    u"Microsoft.BingNews",           u"Microsoft.BingWeather",
    u"Microsoft.BingFinance",        u"Microsoft.GetHelp",
    u"Microsoft.Getstarted",         u"Microsoft.MicrosoftSolitaireCollection",
    u"Microsoft.MicrosoftOfficeHub", u"Microsoft.People",
    u"Microsoft.SkypeApp",           u"Microsoft.WindowsFeedbackHub",
    u"Microsoft.WindowsMaps",        u"Microsoft.ZuneMusic",
    u"Microsoft.ZuneVideo",          u"Microsoft.MixedReality.Portal",
    u"Clipchamp.Clipchamp",          u"Microsoft.Todos"};

}  // namespace

const std::array<TweakPlan, kTweakCount> kTweakPlans = {{
    {"gamedvr", TweakAction::RegistryWrites, kGameDvr},
    {"gamebar", TweakAction::RegistryWrites, kGameBarWrites},
    {"fso", TweakAction::RegistryWrites, kFso},
    {"hags", TweakAction::RegistryWrites, kHags},
    {"gamemode", TweakAction::RegistryWrites, kGameMode},
    {"priority", TweakAction::RegistryWrites, kPriority},
    {"visualfx", TweakAction::RegistryWrites, kVisualFx},
    {"transparency", TweakAction::RegistryWrites, kTransparency},
    {"menudelay", TweakAction::RegistryWrites, kMenuDelay},
    {"startupdelay", TweakAction::RegistryWrites, kStartupDelay},
    {"powerplan", TweakAction::PowerPlan},
    {"timerres", TweakAction::TimerHolder},
    {"hibernate", TweakAction::Hibernation},
    {"mouseaccel", TweakAction::PointerWrites, kMouseAccel},
    {"nagle", TweakAction::InterfaceWrites, kNagle},
    {"netthrottle", TweakAction::RegistryWrites, kNetThrottle},
    {"mmcss", TweakAction::RegistryWrites, kMmcss},
    {"tcptune", TweakAction::RegistryWrites, kTcpTune},
    {"dns", TweakAction::Dns},
    {"telemetry", TweakAction::RegistryWrites, kTelemetry},
    {"diagtrack", TweakAction::DisableServices, {}, kDiagTrackServices},
    {"feedback", TweakAction::RegistryWrites, kFeedback},
    {"activity", TweakAction::RegistryWrites, kActivity},
    {"adid", TweakAction::RegistryWrites, kAdId},
    {"debloat-appx", TweakAction::AppxRemoval},
    {"debloat-services", TweakAction::SidecarServices, {}, kSidecarServices},
    {"debloat-tasks", TweakAction::TelemetryTasks},
}};

const TweakPlan* LookupPlan(std::string_view id) {
    for (const TweakPlan& plan : kTweakPlans) {
        if (plan.id == id)
            return &plan;
    }
    return nullptr;
}

const std::u16string& AppxRemovalCommand() {
    static const std::u16string command = [] {
        std::u16string text =
            u"powershell -NoProfile -WindowStyle Hidden -ExecutionPolicy Bypass -Command \"$a=";
        for (const char16_t* package : kAppxPackages) {
            if (package != kAppxPackages[0])
                text += u',';
            text += u'\'';
            text += package;
            text += u'\'';
        }
        text +=
            u";foreach($n in $a){Get-AppxPackage -AllUsers -Name $n|Remove-AppxPackage "
            u"-AllUsers -ErrorAction SilentlyContinue}\"";
        return text;
    }();
    return command;
}

bool CapturesChanges(TweakAction action) {
    switch (action) {
        case TweakAction::RegistryWrites:
        case TweakAction::PointerWrites:
        case TweakAction::InterfaceWrites:
        case TweakAction::DisableServices:
        case TweakAction::SidecarServices:
            return true;
        default:
            return false;
    }
}

bool SameAsciiNoCase(std::u16string_view a, std::u16string_view b) {
    const auto fold = [](char16_t c) {
        return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
    };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}
