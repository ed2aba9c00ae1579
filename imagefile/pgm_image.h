#pragma once
// A binary grey-level image ("P5"), one byte per pixel, read from a file.
#include <cstdint>
#include <string>
#include <vector>

class PgmImage {
public:
    // Sizes above this are refused as memory the program cannot have.
    static constexpr int64_t MaxPixels = int64_t(1) << 26;

    // Sets rows and columns and makes a zeroed grey plane of rows x columns bytes. When the
    // memory cannot be had, writes "Insufficient memory for new image\n" to stderr, leaves
    // the image empty and returns false.
    bool allocate(int rows, int columns);
    void setMaxValue(int value);
    // Row and column are clamped into the image (negative values become 0). On an empty image
    // setPixel does nothing and getPixel returns 0.
    void setPixel(int row, int column, uint8_t value);
    uint8_t getPixel(int row, int column) const;
    // Reads a "P5" file. Returns 0, or -1 with a message on stdout: "couldnt open input file
    // %s", "magic number was %s, expected P5", "file was short: %d (%d,%d;%d,%d)" (the value
    // -1 for end of file, the row and column tried, rows, columns). A header whose size line
    // has no two positive numbers also fails, quietly. A short file keeps the rows read so far.
    int read(const char* fileName);

    enum class Outcome {
        Whole,      // the last read took every pixel
        Short,      // the file ended early: the plane holds the rows read, the rest zero
        TooLarge,   // the size line asked for more than allocate takes
        Failed,     // anything else
    };
    Outcome lastOutcome() const { return outcome; }
    // The message of a Short or TooLarge read, as printed or written to stderr, without the
    // line feed.
    const std::string& lastMessage() const { return message; }

    int getRows() const { return rows; }
    int getColumns() const { return columns; }
    int getMaxValue() const { return maxValue; }
    // Row r starts at r * columns; row 0 is the top of the image.
    const std::vector<uint8_t>& greyPlane() const { return grey; }

private:
    int32_t rows = 0;
    int32_t columns = 0;
    int32_t maxValue = 0;
    std::vector<uint8_t> grey;
    Outcome outcome = Outcome::Failed;
    std::string message;
};
