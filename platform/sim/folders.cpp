#include "platform/folders.h"
#include "platform/sim/sim.h"

namespace platform {

Status LocalAppDataFolder(std::u16string& path) {
    sim::Machine& m = sim::TheMachine();
    ++m.knownFolderCalls;
    if (!m.localAppData) {
        return Status(0x80070002u);  // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
    }
    path = *m.localAppData;
    return Status();
}

Status CreateDirectoryTree(const std::u16string& rawPath) {
    sim::Machine& m = sim::TheMachine();
    ++m.createDirectoryCalls;
    if (m.fileFaults.createDirectoryError != 0)
        return Status(m.fileFaults.createDirectoryError);
    const std::u16string path = sim::NormalizePath(rawPath);
    if (m.fileSystem.directories.count(path) > 0)
        return Status(kErrorAlreadyExists);
    for (std::size_t slash = path.find(u'\\', 3); slash != std::u16string::npos;
         slash = path.find(u'\\', slash + 1)) {
        m.fileSystem.directories.insert(path.substr(0, slash));
    }
    m.fileSystem.directories.insert(path);
    return Status();
}

}  // namespace platform
