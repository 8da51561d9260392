// Files, shaped like CreateFileW, GetFileAttributesA, GetFileSizeEx, ReadFile, WriteFile,
// FlushFileBuffers, MoveFileExW and DeleteFileW. A File closes its handle when it goes out
// of scope.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"
#include "platform/unique_handle.h"

namespace platform {

inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileAppendData = 0x0004u;
inline constexpr std::uint32_t kFileShareRead = 0x1u;
inline constexpr std::uint32_t kFileShareWrite = 0x2u;
inline constexpr std::uint32_t kCreateAlways = 2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kOpenAlways = 4;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80u;
inline constexpr std::uint32_t kMoveFileReplaceExisting = 0x1u;
inline constexpr std::uint32_t kMoveFileWriteThrough = 0x8u;

// Closes a handle; only the owning type calls it.
void FileCloseHandle(std::intptr_t handle);

struct FileTraits {
    static constexpr std::intptr_t kNone = -1;
    static void Close(std::intptr_t handle) { FileCloseHandle(handle); }
};
// An open file handle; the platform decides what the number means.
using File = UniqueHandle<FileTraits>;

[[nodiscard]] Status FileCreate(const std::u16string& path, std::uint32_t access,
                                std::uint32_t share, std::uint32_t disposition,
                                std::uint32_t attributes, File& file);
[[nodiscard]] Status FileSize(const File& file, std::uint64_t& size);
// One ReadFile call; `read` is the number of bytes actually read.
[[nodiscard]] Status FileRead(const File& file, void* buffer, std::uint32_t size,
                              std::uint32_t& read);
// One WriteFile call; `written` may come back short of `size`.
[[nodiscard]] Status FileWrite(const File& file, const void* data, std::uint32_t size,
                               std::uint32_t& written);
[[nodiscard]] Status FileFlush(const File& file);
[[nodiscard]] Status FileMove(const std::u16string& from, const std::u16string& to,
                              std::uint32_t flags);
[[nodiscard]] Status FileDelete(const std::u16string& path);

inline constexpr std::uint32_t kFileAttributeDirectory = 0x10u;
inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;

// GetFileAttributesA: the attributes of an ANSI path, kInvalidFileAttributes when it
// cannot be read.
std::uint32_t FileAttributes(const char* path);

}  // namespace platform
