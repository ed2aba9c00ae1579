#include "graphics/pnm_check.h"

#include <initializer_list>

namespace {

bool isPnmSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// stb_image's reading of a memory buffer: a byte at a time, 0 past the end.
struct StbReader {
    const uint8_t* data;
    size_t size;
    size_t next;
    bool atEnd() const { return next >= size; }
    char get() { return next < size ? char(data[next++]) : 0; }
};

} // namespace

PnmHeader readPnmHeader(const uint8_t* data, size_t size)
{
    PnmHeader header;
    if (size < 2 || data[0] != 'P' || (data[1] != '5' && data[1] != '6'))
        return header;
    StbReader in{data, size, 2};
    char c = in.get();
    header.complete = true;
    for (uint64_t* number : {&header.width, &header.height, &header.maximum}) {
        for (;;) {
            while (!in.atEnd() && isPnmSpace(c))
                c = in.get();
            if (in.atEnd() || c != '#')
                break;
            while (!in.atEnd() && c != '\n' && c != '\r')
                c = in.get();
        }
        // Nine digits always fit in an int; stb_image adds a digit before it reads the next.
        int digits = 0;
        for (; !in.atEnd() && c >= '0' && c <= '9'; c = in.get())
            if (++digits <= 9)
                *number = *number * 10 + uint64_t(c - '0');
        header.complete = header.complete && digits > 0;
        header.overlong = header.overlong || digits > 9;
    }
    header.samplesStart = in.next;
    return header;
}
