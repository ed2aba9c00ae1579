#pragma once
// StdioFile: owns a C stdio stream (FILE*) and closes it when the holder goes out of scope.
// Portable.
#include <cstdio>
#include <utility>

class StdioFile {
public:
    StdioFile() = default;
    // Takes over an open stream; null holds nothing.
    explicit StdioFile(std::FILE* adopted) : file_(adopted) {}
    StdioFile(const char* path, const char* mode) : file_(std::fopen(path, mode)) {}
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    StdioFile(StdioFile&& other) noexcept : file_(other.detach()) {}
    StdioFile& operator=(StdioFile&& other) noexcept
    {
        close();
        file_ = other.detach();
        return *this;
    }
    ~StdioFile() { close(); }

    // Closes the stream now. False when closing failed (the last buffered bytes may not have
    // been written); true also when nothing was open.
    bool close()
    {
        std::FILE* file = detach();
        return !file || std::fclose(file) == 0;
    }

    std::FILE* detach() { return std::exchange(file_, nullptr); }
    std::FILE* get() const { return file_; }
    operator std::FILE*() const { return file_; }

private:
    std::FILE* file_ = nullptr;
};
