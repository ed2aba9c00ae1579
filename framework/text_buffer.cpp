#include "framework/text_buffer.h"

#include <cstring>

bool CopyBounded(char* dest, const char* source, size_t size) {
    if (!dest || !source || size < 1)
        return false;
    size_t length = 0;
    while (length < size - 1 && source[length] != '\0')
        ++length;
    std::memcpy(dest, source, length);
    dest[length] = '\0';
    return true;
}

bool AppendBounded(char* text, size_t size, const char* suffix) {
    const size_t used = std::strlen(text);
    const size_t extra = std::strlen(suffix);
    if (used >= size || extra >= size - used)
        return false;
    std::memcpy(text + used, suffix, extra + 1);
    return true;
}

namespace {

char* LastSeparator(const char* path) {
    const char* last = nullptr;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/')
            last = p;
    return const_cast<char*>(last);
}

}  // namespace

bool CutAfterLastSeparator(char* path) {
    char* separator = LastSeparator(path);
    if (!separator)
        return false;
    separator[1] = '\0';
    return true;
}

const char* FileNamePart(const char* path) {
    const char* separator = LastSeparator(path);
    return separator ? separator + 1 : path;
}
