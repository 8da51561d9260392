#include "platform/sim/sim.h"

namespace sim {

Machine& machine() {
    static Machine instance;
    return instance;
}

TimerResolution& timerResolution() {
    static TimerResolution instance;
    return instance;
}

RestorePoints& restorePoints() {
    static RestorePoints instance;
    return instance;
}

void Reset() {
    {
        RestorePoints& points = restorePoints();
        std::lock_guard lock(points.mutex);
        points.highest = 0;
        points.recentPointExists = false;
        points.refusal = 0;
        points.queryError = 0;
        points.apartments = 0;
        points.apartmentsAtRequest = 0;
        points.descriptions.clear();
    }
    Machine& m = machine();
    m = Machine{};
    timerResolution().available = true;
    timerResolution().requests = 0;
    timerResolution().withdrawals = 0;
    timerResolution().lastDesired = 0;
    m.localAppData = u"C:\\Users\\sim\\AppData\\Local";
    for (const char16_t* folder : {u"C:\\Users", u"C:\\Users\\sim", u"C:\\Users\\sim\\AppData",
                                   u"C:\\Users\\sim\\AppData\\Local"}) {
        m.fileSystem.directories.insert(folder);
    }
    m.registry.keys[u"HKEY_CURRENT_USER"];
    m.registry.keys[u"HKEY_LOCAL_MACHINE"];
    m.tickMs = 1000;
    m.localTime = platform::LocalTime{9, 5, 7};
    m.arguments = {u"C:\\Program Files\\Quillfarrow\\QuillfarrowOptimizer.exe"};
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
    machine().fileSystem.files[NormalizePath(path)] = std::move(content);
}

std::optional<Bytes> FileContent(const std::u16string& path) {
    const auto& files = machine().fileSystem.files;
    const auto found = files.find(NormalizePath(path));
    if (found == files.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace sim
