#include "imagefile/pgm_image.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/stdio_file.h"

namespace {

constexpr int LineSize = 1024;

// Reads `count` decimal integers separated by white space from the start of `line`, as
// sscanf's "%d" would, but refusing values outside the int range.
bool parseInts(const char* line, int* values, int count) {
    const char* cursor = line;
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        errno = 0;
        const long value = std::strtol(cursor, &end, 10);
        if (end == cursor || errno == ERANGE || value < INT_MIN || value > INT_MAX)
            return false;
        values[i] = static_cast<int>(value);
        cursor = end;
    }
    return true;
}

} // namespace

bool PgmImage::allocate(int newRows, int newColumns) {
    const bool sizeOk = newRows > 0 && newColumns > 0 &&
                        int64_t(newRows) * int64_t(newColumns) <= MaxPixels;
    try {
        if (sizeOk) {
            std::vector<uint8_t> plane(size_t(newRows) * size_t(newColumns), 0);
            grey.swap(plane);
            rows = newRows;
            columns = newColumns;
            return true;
        }
    } catch (const std::bad_alloc&) {
    }
    std::fputs("Insufficient memory for new image\n", stderr);
    grey.clear();
    rows = 0;
    columns = 0;
    return false;
}

void PgmImage::setMaxValue(int value) {
    maxValue = value;
}

void PgmImage::setPixel(int row, int column, uint8_t value) {
    if (grey.empty())
        return;
    row = row < 0 ? 0 : (row >= rows ? rows - 1 : row);
    column = column < 0 ? 0 : (column >= columns ? columns - 1 : column);
    grey[size_t(row) * size_t(columns) + size_t(column)] = value;
}

uint8_t PgmImage::getPixel(int row, int column) const {
    if (grey.empty())
        return 0;
    row = row < 0 ? 0 : (row >= rows ? rows - 1 : row);
    column = column < 0 ? 0 : (column >= columns ? columns - 1 : column);
    return grey[size_t(row) * size_t(columns) + size_t(column)];
}

int PgmImage::read(const char* fileName) {
    outcome = Outcome::Failed;
    message.clear();
    StdioFile file(fileName ? std::fopen(fileName, "rb") : nullptr);
    if (!file) {
        std::printf("couldnt open input file %s\n", fileName ? fileName : "(null)");
        return -1;
    }

    char magic[4] = {};
    if (std::fread(magic, 1, 3, file) != 3 || std::memcmp(magic, "P5\n", 3) != 0) {
        std::printf("magic number was %s, expected P5\n", magic);
        return -1;
    }
    // Comment lines are recognised only here, directly after the magic.
    char line[LineSize];
    do {
        if (!std::fgets(line, LineSize, file))
            return -1;
    } while (line[0] == '#');

    int size[2] = {};
    if (!parseInts(line, size, 2) || size[0] <= 0 || size[1] <= 0)
        return -1;
    if (!allocate(size[1], size[0])) {
        outcome = Outcome::TooLarge;
        message = "Insufficient memory for new image";
        return -1;
    }
    // The maximum value is kept when its line holds a number; the pixels follow that line
    // whatever it holds.
    int value = 0;
    if (std::fgets(line, LineSize, file) && parseInts(line, &value, 1))
        setMaxValue(value);

    const size_t wanted = grey.size();
    const size_t got = std::fread(grey.data(), 1, wanted, file);
    if (got < wanted) {
        const int row = static_cast<int>(got / size_t(columns));
        const int column = static_cast<int>(got % size_t(columns));
        char text[100];
        std::snprintf(text, sizeof text, "file was short: %d (%d,%d;%d,%d)", EOF, row, column,
                      rows, columns);
        std::printf("%s\n", text);
        outcome = Outcome::Short;
        message = text;
        return -1;
    }
    outcome = Outcome::Whole;
    return 0;
}
