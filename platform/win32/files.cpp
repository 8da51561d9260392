// Files through kernel32.
#include "platform/files.h"

#include <windows.h>

#include "platform/win32/handle.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

HANDLE Native(const File& file) {
    return reinterpret_cast<HANDLE>(file.get());
}

Status LastError() {
    return Status(GetLastError());
}

}  // namespace

Status FileCreate(const std::u16string& path, std::uint32_t access, std::uint32_t share,
                  std::uint32_t disposition, std::uint32_t attributes, File& file) {
    file.reset();
    HANDLE handle =
        CreateFileW(win32::Wide(path), access, share, nullptr, disposition, attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return LastError();
    }
    file = File(reinterpret_cast<std::intptr_t>(handle));
    return Status();
}

Status FileSize(const File& file, std::uint64_t& size) {
    LARGE_INTEGER value{};
    if (!GetFileSizeEx(Native(file), &value)) {
        return LastError();
    }
    size = static_cast<std::uint64_t>(value.QuadPart);
    return Status();
}

Status FileRead(const File& file, void* buffer, std::uint32_t size, std::uint32_t& read) {
    DWORD done = 0;
    const BOOL ok = ReadFile(Native(file), buffer, size, &done, nullptr);
    read = done;
    return ok ? Status() : LastError();
}

Status FileWrite(const File& file, const void* data, std::uint32_t size, std::uint32_t& written) {
    DWORD done = 0;
    const BOOL ok = WriteFile(Native(file), data, size, &done, nullptr);
    written = done;
    return ok ? Status() : LastError();
}

Status FileFlush(const File& file) {
    return FlushFileBuffers(Native(file)) ? Status() : LastError();
}

Status FileMove(const std::u16string& from, const std::u16string& to, std::uint32_t flags) {
    return MoveFileExW(win32::Wide(from), win32::Wide(to), flags) ? Status() : LastError();
}

Status FileDelete(const std::u16string& path) {
    return DeleteFileW(win32::Wide(path)) ? Status() : LastError();
}

std::uint32_t FileAttributes(const char* path) {
    return GetFileAttributesA(path);
}

void FileCloseHandle(std::intptr_t handle) {
    win32::UniqueHandle(reinterpret_cast<HANDLE>(handle)).reset();
}

}  // namespace platform
