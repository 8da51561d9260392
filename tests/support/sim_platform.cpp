#include <string>

#include "platform/folders.h"
#include "platform/sim/sim.h"
#include "support/test_platform.h"

bool RunningUnderWine() {
    return false;
}

// A fresh simulated machine each time, so faults left by earlier tests cannot leak in.
std::u16string ScratchFolder() {
    sim::Reset();
    static int counter = 0;
    std::u16string folder = u"C:\\Scratch\\case";
    for (const char c : std::to_string(++counter))
        folder.push_back(static_cast<char16_t>(c));
    static_cast<void>(platform::CreateDirectoryTree(folder));
    return folder;
}
