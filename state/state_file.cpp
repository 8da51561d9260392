// Reading and writing state.bin in the data folder.
#include <limits>

#include "platform/files.h"
#include "state/data_folder.h"
#include "state/state_file.h"

namespace {

std::u16string TemporaryStatePath() {
    return StateFilePath() + u".tmp";
}

// Writes the bytes to the temporary file and makes sure they reached the disk.
bool WriteDurably(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    platform::File file;
    if (!platform::FileCreate(path, platform::kGenericWrite, 0, platform::kCreateAlways,
                              platform::kFileAttributeNormal, file)
             .ok()) {
        return false;
    }
    const auto size = static_cast<std::uint32_t>(bytes.size());
    std::uint32_t written = 0;
    return platform::FileWrite(file, bytes.data(), size, written).ok() && written == size &&
           platform::FileFlush(file).ok();
}

}  // namespace

std::u16string StateFilePath() {
    return DataFolder() + u"\\state.bin";
}

void LoadState(AppState& state) {
    ClearPersistedState(state);
    platform::File file;
    if (!platform::FileCreate(StateFilePath(), platform::kGenericRead, platform::kFileShareRead,
                              platform::kOpenExisting, platform::kFileAttributeNormal, file)
             .ok()) {
        return;
    }
    std::uint64_t size = 0;
    // 4 GiB or more cannot be ours, and could not be read in one call anyway.
    if (!platform::FileSize(file, size).ok() || size > std::numeric_limits<std::uint32_t>::max()) {
        return;
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size));
    std::uint32_t read = 0;
    static_cast<void>(
        platform::FileRead(file, buffer.data(), static_cast<std::uint32_t>(size), read));
    file.Close();
    buffer.resize(read);
    DecodeState(buffer, state);
}

void SaveState(const AppState& state) {
    // The old file stays whole until the new one is complete on disk, so a failed or
    // interrupted save never loses the captures.
    const std::u16string temporary = TemporaryStatePath();
    if (WriteDurably(temporary, EncodeState(state)) &&
        platform::FileMove(temporary, StateFilePath(),
                           platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough)
            .ok()) {
        return;
    }
    static_cast<void>(platform::FileDelete(temporary));
}
