// Reading and writing state.bin in the data folder.
#include <limits>

#include "platform/files.h"
#include "state/data_folder.h"
#include "state/state_file.h"

namespace {

// What the last load found, and the bytes to keep aside before the first save replaces a
// file that did not decode.
struct LoadRecord {
    StateFileLoad outcome = StateFileLoad::Missing;
    std::vector<std::uint8_t> undecodedBytes;
    bool copyPending = false;
};

LoadRecord& LastLoad() {
    static LoadRecord record;
    return record;
}

// Writes the bytes to the file and makes sure they reached the disk.
Result WriteDurably(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return Refusal::Own("state too large");
    platform::File file;
    if (const platform::Status created =
            platform::FileCreate(path, platform::kGenericWrite, 0, platform::kCreateAlways,
                                 platform::kFileAttributeNormal, file);
        !created.Ok()) {
        return Refusal::Call("CreateFileW", created.Code());
    }
    const auto size = static_cast<std::uint32_t>(bytes.size());
    std::uint32_t written = 0;
    if (const platform::Status wrote = platform::FileWrite(file, bytes.data(), size, written);
        !wrote.Ok()) {
        return Refusal::Call("WriteFile", wrote.Code());
    }
    if (written != size)
        return Refusal::Own("short write");
    if (const platform::Status flushed = platform::FileFlush(file); !flushed.Ok())
        return Refusal::Call("FlushFileBuffers", flushed.Code());
    return {};
}

// The old file stays whole until the new one is complete on disk, so a failed or
// interrupted write never loses what the file held.
Result ReplaceWhole(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    const std::u16string temporary = path + u".tmp";
    Result result = WriteDurably(temporary, bytes);
    if (result.Ok()) {
        const platform::Status moved = platform::FileMove(
            temporary, path, platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough);
        if (moved.Ok())
            return result;
        result = Refusal::Call("MoveFileExW", moved.Code());
    }
    static_cast<void>(platform::FileDelete(temporary));
    return result;
}

// Reads the whole file; the outcome says whether the bytes are all of it.
StateFileLoad ReadStateFile(std::vector<std::uint8_t>& bytes) {
    platform::File file;
    if (const platform::Status opened =
            platform::FileCreate(StateFilePath(), platform::kGenericRead, platform::kFileShareRead,
                                 platform::kOpenExisting, platform::kFileAttributeNormal, file);
        !opened.Ok()) {
        return opened.IsNotFound() ? StateFileLoad::Missing : StateFileLoad::Unreadable;
    }
    std::uint64_t size = 0;
    if (!platform::FileSize(file, size).Ok())
        return StateFileLoad::Unreadable;
    // Far more than any state this program writes: not ours, and not worth the memory.
    if (size > kMaxStateFileBytes)
        return StateFileLoad::Oversized;
    bytes.assign(static_cast<std::size_t>(size), 0);
    std::uint32_t read = 0;
    if (!platform::FileRead(file, bytes.data(), static_cast<std::uint32_t>(size), read).Ok() ||
        read != size) {
        bytes.clear();
        return StateFileLoad::Unreadable;
    }
    return StateFileLoad::Read;
}

}  // namespace

std::u16string StateFilePath() {
    return DataFolder() + u"\\state.bin";
}

std::u16string StateFileCopyPath() {
    return StateFilePath() + u".bad";
}

void LoadState(AppState& state) {
    ClearPersistedState(state);
    LoadRecord& record = LastLoad();
    record = LoadRecord{};
    std::vector<std::uint8_t> bytes;
    record.outcome = ReadStateFile(bytes);
    if (record.outcome != StateFileLoad::Read)
        return;
    if (!DecodeState(bytes, state)) {
        record.outcome = StateFileLoad::Undecodable;
        record.undecodedBytes = std::move(bytes);
        record.copyPending = true;
    }
}

StateFileLoad LastStateFileLoad() {
    return LastLoad().outcome;
}

void ForgetStateFileLoad() {
    LastLoad() = LoadRecord{};
}

Result SaveState(const AppState& state) {
    LoadRecord& record = LastLoad();
    // Its captures may still be in it; replacing it would lose the way back.
    if (record.outcome == StateFileLoad::Unreadable)
        return Refusal::Own("state file unreadable at start-up");
    if (record.copyPending) {
        if (Result copied = ReplaceWhole(StateFileCopyPath(), record.undecodedBytes); !copied.Ok())
            return copied;
        record.copyPending = false;
        record.undecodedBytes = {};
    }
    return ReplaceWhole(StateFilePath(), EncodeState(state));
}
