#pragma once
// FileHandle: owns a Win32 file handle (CreateFileA) and closes it when the holder goes out of
// scope. INVALID_HANDLE_VALUE, what a failed CreateFileA gives, holds nothing.
#include <windows.h>

#include <utility>

class FileHandle {
public:
    explicit FileHandle(HANDLE adopted) : handle_(adopted) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes the handle now. False when CloseHandle failed; true when nothing was open.
    bool close()
    {
        HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
    }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};
