#include "imagefile/bmp_file_win.h"

#include <algorithm>
#include "base/file_handle_win.h"
#include "threeds/diagnostics.h"

namespace {

constexpr DWORD ReadChunk = 1 << 20;

// Shows the name of a failed body read; codes without a name show nothing.
void reportReadError(DWORD code) {
    struct Name {
        DWORD code;
        const char* text;
    };
    static const Name names[] = {
        {ERROR_INSUFFICIENT_BUFFER, "Error Insufficient Buffer"},
        {ERROR_NOT_ENOUGH_MEMORY, "Error Not Enough Memory"},
        {ERROR_HANDLE_EOF, "Error Handle EOF"},
        {ERROR_BROKEN_PIPE, "Error Broken Pipe"},
        {ERROR_MORE_DATA, "Error More Data"},
        {ERROR_INVALID_USER_BUFFER, "Error Invalid User Buffer"},
    };
    for (const Name& name : names)
        if (name.code == code)
            errorBox(name.text);
}

// Reads up to `size` bytes into `target` in large pieces. A failed read is reported once and
// ends the reading (every later read would fail the same way); the block stays zero-filled
// there. Returns the number of bytes read.
size_t readBody(HANDLE file, uint8_t* target, size_t size) {
    size_t done = 0;
    while (done < size) {
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(ReadChunk, size - done));
        DWORD got = 0;
        if (!ReadFile(file, target + done, wanted, &got, nullptr)) {
            reportReadError(GetLastError());
            break;
        }
        if (got == 0)
            break; // the file shrank since its size was taken
        done += got;
    }
    return done;
}

bool bodySize(HANDLE file, size_t& size) {
    LARGE_INTEGER fileSize = {};
    if (!GetFileSizeEx(file, &fileSize) || fileSize.QuadPart < LONGLONG(BmpFileHeaderSize))
        return false;
    const unsigned long long rest = fileSize.QuadPart - BmpFileHeaderSize;
    if (rest == 0 || rest > MaxBmpBodyBytes)
        return false;
    size = static_cast<size_t>(rest);
    return true;
}

bool readContents(HANDLE file, BmpFileContents& contents) {
    DWORD got = 0;
    if (!ReadFile(file, contents.header, BmpFileHeaderSize, &got, nullptr))
        errorBox("ReadFile1 failed");
    size_t size = 0;
    if (got != BmpFileHeaderSize || !isBmpFileHeader(contents.header, got) ||
        !bodySize(file, size))
        return false;
    contents.body = GlobalBlock(GlobalAlloc(GPTR, size));
    if (!contents.body.get())
        return false;
    contents.bodySize = readBody(file, static_cast<uint8_t*>(contents.body.fixedMemory()), size);
    return true;
}

} // namespace

bool readBmpFile(const char* path, BmpFileContents& contents) {
    FileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_READONLY, nullptr));
    if (!file.valid())
        errorBox("Error: INVALID_HANDLE_VALUE ");
    const bool read = readContents(file.get(), contents);
    // Only a file that was read is worth a word when it cannot be closed.
    if (!file.close() && read)
        errorBox("CloseHandle failed");
    return read;
}
