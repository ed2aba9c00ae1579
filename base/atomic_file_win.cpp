// AtomicFile's system calls with Win32: MoveFileEx replaces a file in one step.
#include "base/atomic_file_system.h"

#include <windows.h>

#include <algorithm>

#include "base/file_handle_win.h"

namespace atomic_file_system {

namespace {

HANDLE handleOf(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// A read-only target, or one another program holds open without letting it be deleted, is not
// replaced. Windows' MoveFileEx refuses both by itself; Wine's replaces them, so ask first.
bool mayReplace(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;   // nothing there yet
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return false;
    const DWORD anySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    FileHandle probe(CreateFileA(path, DELETE, anySharing, nullptr, OPEN_EXISTING, 0, nullptr));
    return probe.valid();
}

}  // namespace

intptr_t createNew(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(file);
}

bool writeAll(intptr_t handle, const void* bytes, size_t size)
{
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        const DWORD piece = DWORD(std::min<size_t>(size, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(handleOf(handle), next, piece, &written, nullptr) || written == 0)
            return false;
        next += written;
        size -= written;
    }
    return true;
}

bool flushToDisk(intptr_t handle)
{
    return FlushFileBuffers(handleOf(handle)) != 0;
}

bool close(intptr_t handle)
{
    return CloseHandle(handleOf(handle)) != 0;
}

bool replace(const char* from, const char* to)
{
    return mayReplace(to) &&
           MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void remove(const char* path)
{
    DeleteFileA(path);
}

}  // namespace atomic_file_system
