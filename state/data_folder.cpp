#include "state/data_folder.h"

#include <optional>

#include "platform/folders.h"

namespace {

std::optional<std::u16string>& RememberedFolder() {
    static std::optional<std::u16string> folder;
    return folder;
}

std::u16string ResolveDataFolder() {
    std::u16string base;
    if (!platform::LocalAppDataFolder(base).Ok()) {
        return u".";
    }
    std::u16string folder = base + u"\\Quillfarrow\\Optimizer";
    // An existing folder is fine; a folder that cannot be made shows up as failed file opens.
    static_cast<void>(platform::CreateDirectoryTree(folder));
    return folder;
}

}  // namespace

const std::u16string& DataFolder() {
    std::optional<std::u16string>& folder = RememberedFolder();
    if (!folder) {
        folder = ResolveDataFolder();
    }
    return *folder;
}

void ForgetDataFolder() {
    RememberedFolder().reset();
}
