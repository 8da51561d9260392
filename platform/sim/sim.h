// The simulated Windows that tests point the core at: an in-memory file system, known
// folders, a clock and a command line, each with switches that inject the failures the
// real system can produce. Reset() gives a fresh machine.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/sim/no_case.h"

namespace sim {

using Bytes = std::vector<std::uint8_t>;

struct OpenFile {
    std::u16string path;
    std::uint32_t access = 0;
    std::uint32_t share = 0;
    std::uint64_t position = 0;
};

struct FileSystem {
    std::map<std::u16string, Bytes, NoCaseLess> files;
    std::set<std::u16string, NoCaseLess> directories;
    std::map<std::intptr_t, OpenFile> open;
    std::intptr_t nextHandle = 1;
};

// Failures to inject; an error code of 0 means "no fault".
struct FileFaults {
    std::map<std::u16string, std::uint32_t, NoCaseLess> createErrors;
    // FileSize reports this size for the path instead of the stored one.
    std::map<std::u16string, std::uint64_t, NoCaseLess> reportedSizes;
    // Each write stores and reports this many bytes fewer than asked, yet succeeds.
    std::uint32_t writeShortBy = 0;
    std::uint32_t writeError = 0;
    std::uint32_t flushError = 0;
    std::uint32_t moveError = 0;
    std::uint32_t deleteError = 0;
    std::uint32_t createDirectoryError = 0;
};

struct Machine {
    FileSystem fileSystem;
    FileFaults fileFaults;
    // Empty when the known-folder lookup fails.
    std::optional<std::u16string> localAppData;
    int knownFolderCalls = 0;
    int createDirectoryCalls = 0;
    std::uint64_t tickMs = 0;
    platform::LocalTime localTime;
    std::vector<std::u16string> arguments;
    // RT_RCDATA resources of the executable, by id.
    std::map<int, Bytes> resources;
    // Paths asked about with FileAttributes, in order.
    std::vector<std::u16string> attributeQueries;
};

Machine& machine();
void Reset();

// Paths in the form the file system stores them: backslashes, no trailing separator.
std::u16string NormalizePath(std::u16string path);

// Test conveniences over machine().fileSystem.
void PutFile(const std::u16string& path, Bytes content);
std::optional<Bytes> FileContent(const std::u16string& path);

}  // namespace sim
