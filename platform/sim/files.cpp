// The simulated file system: paths compare without case, a file opens only in an existing
// folder, open handles enforce their sharing modes, and every call can be made to fail.
#include <algorithm>

#include "platform/files.h"
#include "platform/sim/sim.h"

namespace platform {
namespace {

sim::FileSystem& Fs() {
    return sim::TheMachine().fileSystem;
}
sim::FileFaults& Faults() {
    return sim::TheMachine().fileFaults;
}

bool IsFolder(const std::u16string& path) {
    return path.empty() || path == u"." || (path.size() == 2 && path[1] == u':') ||
           Fs().directories.count(path) > 0;
}

std::u16string ParentOf(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool Reads(std::uint32_t access) {
    return (access & kGenericRead) != 0;
}
bool Writes(std::uint32_t access) {
    return (access & (kGenericWrite | kFileAppendData)) != 0;
}

bool SharingConflict(const std::u16string& path, std::uint32_t access, std::uint32_t share) {
    for (const auto& [handle, open] : Fs().open) {
        if (!sim::SameNoCase(open.path, path))
            continue;
        if ((Reads(access) && !(open.share & kFileShareRead)) ||
            (Writes(access) && !(open.share & kFileShareWrite)) ||
            (Reads(open.access) && !(share & kFileShareRead)) ||
            (Writes(open.access) && !(share & kFileShareWrite))) {
            return true;
        }
    }
    return false;
}

bool IsOpen(const std::u16string& path) {
    return std::any_of(Fs().open.begin(), Fs().open.end(),
                       [&](const auto& entry) { return sim::SameNoCase(entry.second.path, path); });
}

sim::OpenFile* Lookup(const File& file) {
    const auto found = Fs().open.find(file.get());
    return found == Fs().open.end() ? nullptr : &found->second;
}

}  // namespace

Status FileCreate(const std::u16string& rawPath, std::uint32_t access, std::uint32_t share,
                  std::uint32_t disposition, std::uint32_t /*attributes*/, File& file) {
    file.reset();
    const std::u16string path = sim::NormalizePath(rawPath);
    if (const auto fault = Faults().createErrors.find(path); fault != Faults().createErrors.end()) {
        return Status(fault->second);
    }
    if (IsFolder(path))
        return Status(kErrorAccessDenied);
    if (!IsFolder(ParentOf(path)))
        return Status(kErrorPathNotFound);
    if (SharingConflict(path, access, share))
        return Status(kErrorSharingViolation);
    auto& files = Fs().files;
    const bool exists = files.count(path) > 0;
    switch (disposition) {
        case kCreateAlways:
            files[path].clear();
            break;
        case kOpenExisting:
            if (!exists)
                return Status(kErrorFileNotFound);
            break;
        case kOpenAlways:
            files[path];
            break;
        default:
            return Status(87);  // ERROR_INVALID_PARAMETER
    }
    const std::intptr_t handle = Fs().nextHandle++;
    Fs().open[handle] = sim::OpenFile{path, access, share, 0};
    file = File(handle);
    return Status();
}

Status FileSize(const File& file, std::uint64_t& size) {
    const sim::OpenFile* open = Lookup(file);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (Faults().sizeError != 0)
        return Status(Faults().sizeError);
    const auto reported = Faults().reportedSizes.find(open->path);
    size =
        reported != Faults().reportedSizes.end() ? reported->second : Fs().files[open->path].size();
    return Status();
}

Status FileRead(const File& file, void* buffer, std::uint32_t size, std::uint32_t& read) {
    read = 0;
    sim::OpenFile* open = Lookup(file);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (!Reads(open->access))
        return Status(kErrorAccessDenied);
    if (Faults().readError != 0)
        return Status(Faults().readError);
    const sim::Bytes& content = Fs().files[open->path];
    if (open->position < content.size()) {
        read = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(size, content.size() - open->position));
        std::copy_n(content.begin() + static_cast<std::ptrdiff_t>(open->position), read,
                    static_cast<std::uint8_t*>(buffer));
        open->position += read;
    }
    return Status();
}

Status FileWrite(const File& file, const void* data, std::uint32_t size, std::uint32_t& written) {
    written = 0;
    sim::OpenFile* open = Lookup(file);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (!Writes(open->access))
        return Status(kErrorAccessDenied);
    if (Faults().writeError != 0)
        return Status(Faults().writeError);
    sim::Bytes& content = Fs().files[open->path];
    // A handle opened for appending only always writes at the end.
    if (!(open->access & kGenericWrite))
        open->position = content.size();
    const std::uint32_t count = size - std::min(size, Faults().writeShortBy);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (content.size() < open->position + count)
        content.resize(open->position + count);
    std::copy_n(bytes, count, content.begin() + static_cast<std::ptrdiff_t>(open->position));
    open->position += count;
    written = count;
    return Status();
}

Status FileFlush(const File& file) {
    const sim::OpenFile* open = Lookup(file);
    if (open == nullptr)
        return Status(kErrorInvalidHandle);
    if (!Writes(open->access))
        return Status(kErrorAccessDenied);
    return Status(Faults().flushError);
}

Status FileMove(const std::u16string& rawFrom, const std::u16string& rawTo, std::uint32_t flags) {
    if (Faults().moveError != 0)
        return Status(Faults().moveError);
    const std::u16string from = sim::NormalizePath(rawFrom);
    const std::u16string to = sim::NormalizePath(rawTo);
    auto& files = Fs().files;
    const auto source = files.find(from);
    if (source == files.end())
        return Status(kErrorFileNotFound);
    if (!IsFolder(ParentOf(to)))
        return Status(kErrorPathNotFound);
    if (IsOpen(from) || IsOpen(to))
        return Status(kErrorSharingViolation);
    if (files.count(to) > 0 && !(flags & kMoveFileReplaceExisting)) {
        return Status(kErrorAlreadyExists);
    }
    sim::Bytes content = std::move(source->second);
    files.erase(source);
    files[to] = std::move(content);
    return Status();
}

Status FileDelete(const std::u16string& rawPath) {
    if (Faults().deleteError != 0)
        return Status(Faults().deleteError);
    const std::u16string path = sim::NormalizePath(rawPath);
    if (Fs().files.count(path) == 0)
        return Status(kErrorFileNotFound);
    if (IsOpen(path))
        return Status(kErrorSharingViolation);
    Fs().files.erase(path);
    return Status();
}

std::uint32_t FileAttributes(const char* rawPath) {
    // The paths asked about are ASCII, so each byte is one UTF-16 unit.
    std::u16string wide;
    for (const char* c = rawPath; *c != '\0'; ++c)
        wide.push_back(static_cast<unsigned char>(*c));
    const std::u16string path = sim::NormalizePath(wide);
    sim::TheMachine().attributeQueries.push_back(path);
    if (Fs().files.count(path) > 0)
        return kFileAttributeNormal;
    if (IsFolder(path) && !path.empty() && path != u".")
        return kFileAttributeDirectory;
    return kInvalidFileAttributes;
}

void FileCloseHandle(std::intptr_t handle) {
    Fs().open.erase(handle);
}

}  // namespace platform
