#include "graphics/pnm_check.h"

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

bool hasOverlongPnmNumber(const uint8_t* data, size_t size)
{
    if (size < 2 || data[0] != 'P' || (data[1] != '5' && data[1] != '6'))
        return false;
    StbReader in{data, size, 2};
    char c = in.get();
    for (int number = 0; number < 3; ++number) {  // width, height, maximum
        for (;;) {
            while (!in.atEnd() && isPnmSpace(c))
                c = in.get();
            if (in.atEnd() || c != '#')
                break;
            while (!in.atEnd() && c != '\n' && c != '\r')
                c = in.get();
        }
        // Nine digits always fit in an int; stb_image adds a digit before it reads the next.
        for (int digits = 0; !in.atEnd() && c >= '0' && c <= '9'; c = in.get())
            if (++digits > 9)
                return true;
    }
    return false;
}
