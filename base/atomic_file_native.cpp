// AtomicFile's system calls with POSIX: rename() replaces a file in one step.
#include "base/atomic_file_system.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace atomic_file_system {

intptr_t createNew(const char* path)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return fd < 0 ? -1 : intptr_t(fd);
}

bool writeAll(intptr_t handle, const void* bytes, size_t size)
{
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(int(handle), next, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        size -= size_t(written);
    }
    return true;
}

bool flushToDisk(intptr_t handle)
{
    return ::fsync(int(handle)) == 0;
}

bool close(intptr_t handle)
{
    return ::close(int(handle)) == 0;
}

bool replace(const char* from, const char* to)
{
    return std::rename(from, to) == 0;
}

void remove(const char* path)
{
    ::unlink(path);
}

}  // namespace atomic_file_system
