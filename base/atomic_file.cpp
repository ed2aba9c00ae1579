#include "base/atomic_file.h"

#include <string>

#include "base/atomic_file_system.h"

namespace {

// Enough names for the leftovers of earlier saves that were cut short by a crash.
constexpr int kTemporaryNameTries = 100;

uint64_t g_failAfterBytes = UINT64_MAX;

// The target's folder with its separator ("" for the current folder).
std::string folderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

AtomicFile::AtomicFile(const char* targetPath) : target_(targetPath ? targetPath : "")
{
    if (target_.empty())
        return;
    // A short name, so that a target close to the path-length limit still has room beside it.
    const std::string folder = folderOf(target_);
    for (int n = 0; n < kTemporaryNameTries && handle_ == kNoHandle; ++n) {
        temporary_ = folder + "~mapwell" + std::to_string(n) + ".tmp";
        handle_ = atomic_file_system::createNew(temporary_.c_str());
    }
    if (handle_ == kNoHandle)
        temporary_.clear();
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (handle_ != kNoHandle)
        atomic_file_system::close(handle_);
    handle_ = kNoHandle;
    if (!temporary_.empty())
        atomic_file_system::remove(temporary_.c_str());
    temporary_.clear();
}

SaveResult AtomicFile::commit(const void* bytes, size_t size)
{
    if (!isOpen())
        return SaveResult::CannotCreate;
    const size_t allowed = uint64_t(size) < g_failAfterBytes ? size : size_t(g_failAfterBytes);
    const bool written = atomic_file_system::writeAll(handle_, bytes, allowed) &&
                         allowed == size && atomic_file_system::flushToDisk(handle_);
    const bool closed = atomic_file_system::close(handle_);
    handle_ = kNoHandle;
    if (!written || !closed) {
        discard();
        return SaveResult::WriteFailed;
    }
    if (!atomic_file_system::replace(temporary_.c_str(), target_.c_str())) {
        discard();
        return SaveResult::CannotReplace;
    }
    temporary_.clear();
    return SaveResult::Saved;
}

SaveResult saveFileAtomically(const char* path, const void* bytes, size_t size)
{
    AtomicFile file(path);
    return file.commit(bytes, size);
}

const char* saveFailureMessage(SaveResult result)
{
    switch (result) {
    case SaveResult::Saved:
        return "";
    case SaveResult::CannotCreate:
        return "Error: unable to open file";
    case SaveResult::WriteFailed:
        return "Error: the file could not be written (is the disk full?). The file on disk was "
               "left as it was.";
    case SaveResult::CannotReplace:
        return "Error: the file could not be replaced (is it read-only, or open in another "
               "program?). The file on disk was left as it was.";
    }
    return "";
}

void failSavesAfterBytes(uint64_t byteCount)
{
    g_failAfterBytes = byteCount;
}

void stopFailingSaves()
{
    g_failAfterBytes = UINT64_MAX;
}
