#include "platform/sim/sim.h"

namespace sim {

Machine& TheMachine() {
    static Machine instance;
    return instance;
}

TimerResolution& TheTimerResolution() {
    static TimerResolution instance;
    return instance;
}

RestorePoints& TheRestorePoints() {
    static RestorePoints instance;
    return instance;
}

void Reset() {
    {
        RestorePoints& points = TheRestorePoints();
        std::lock_guard lock(points.mutex);
        points.highest = 0;
        points.recentPointExists = false;
        points.refusal = 0;
        points.queryError = 0;
        points.apartments = 0;
        points.apartmentsAtRequest = 0;
        points.descriptions.clear();
    }
    Machine& m = TheMachine();
    m = Machine{};
    TheTimerResolution().available = true;
    TheTimerResolution().requests = 0;
    TheTimerResolution().withdrawals = 0;
    TheTimerResolution().lastDesired = 0;
    m.localAppData = u"C:\\Users\\sim\\AppData\\Local";
    for (const char16_t* folder : {u"C:\\Users", u"C:\\Users\\sim", u"C:\\Users\\sim\\AppData",
                                   u"C:\\Users\\sim\\AppData\\Local"}) {
        m.fileSystem.directories.insert(folder);
    }
    m.registry.keys[u"HKEY_CURRENT_USER"];
    m.registry.keys[u"HKEY_LOCAL_MACHINE"];
    m.tickMs = 1000;
    // A four-core, eight-thread machine on Windows 11 with a processor cache entry.
    for (const std::uint32_t relationship : {0u, 2u, 0u, 0u, 0u}) {
        const Bytes entry = ProcessorInformationEntry(relationship);
        m.systemInfo.processorInformation.insert(m.systemInfo.processorInformation.end(),
                                                 entry.begin(), entry.end());
    }
    m.systemInfo.processors = 8;
    m.systemInfo.times = {8'000'000'000, 10'000'000'000, 3'000'000'000};
    m.systemInfo.memory = {16ull << 30, 10ull << 30};
    m.systemInfo.drives[u"C:\\"] = {200ull << 30, 512ull << 30};
    m.systemInfo.computerName = u"SIMHOST";
    m.systemInfo.build = 22631;
    m.localTime = platform::LocalTime{9, 5, 7};
    m.arguments = {u"C:\\Program Files\\Quillfarrow\\QuillfarrowOptimizer.exe"};
}

Bytes ProcessorInformationEntry(std::uint32_t relationship) {
    Bytes entry(platform::kProcessorInformationEntrySize, 0);
    for (std::size_t i = 0; i < 4; ++i) {
        entry[platform::kProcessorInformationRelationshipOffset + i] =
            static_cast<std::uint8_t>(relationship >> (8 * i));
    }
    return entry;
}

std::u16string NormalizePath(std::u16string path) {
    for (char16_t& c : path) {
        if (c == u'/') {
            c = u'\\';
        }
    }
    while (path.size() > 1 && path.back() == u'\\') {
        path.pop_back();
    }
    return path;
}

void PutFile(const std::u16string& path, Bytes content) {
    TheMachine().fileSystem.files[NormalizePath(path)] = std::move(content);
}

std::optional<Bytes> FileContent(const std::u16string& path) {
    const auto& files = TheMachine().fileSystem.files;
    const auto found = files.find(NormalizePath(path));
    if (found == files.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace sim
