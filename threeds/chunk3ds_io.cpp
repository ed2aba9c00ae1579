// Opening and closing the two streams, and the byte-level reads and writes.
#include "threeds/chunk3ds_file.h"

#include <cstring>

#include "threeds/diagnostics.h"

Chunk3dsFile g_chunk3dsFile;

bool Chunk3dsFile::openForReading(const char* path)
{
    closeReading();
    fileHandle = StdioFile(path, "rb");
    readPos_ = 0;
    return fileHandle.get() != nullptr;
}

void Chunk3dsFile::closeReading()
{
    fileHandle.close();
}

bool Chunk3dsFile::openForWriting(const char* path)
{
    closeWriting();
    outputStream = StdioFile(path, "wb");
    writePos_ = 0;
    return outputStream.get() != nullptr;
}

void Chunk3dsFile::closeWriting()
{
    outputStream.close();
}

int Chunk3dsFile::nextByteOrEnd()
{
    if (!fileHandle) {
        errorBox("NULL Error:");
        return -1;
    }
    const long before = readPos_;
    const int c = std::fgetc(fileHandle);
    readPos_ = before + 1;
    ++bytesRead_;
    if (c == EOF) {
        // The position moves on even past the end, so that a scan there always advances.
        std::fseek(fileHandle, readPos_, SEEK_SET);
        return -1;
    }
    return c;
}

uint8_t Chunk3dsFile::readByte()
{
    const int c = nextByteOrEnd();
    return c < 0 ? 0xFF : uint8_t(c);
}

uint16_t Chunk3dsFile::read16()
{
    const uint16_t low = readByte();
    const uint16_t high = readByte();
    return uint16_t(low | (high << 8));
}

uint32_t Chunk3dsFile::read32()
{
    const uint32_t low = read16();
    const uint32_t high = read16();
    return low | (high << 16);
}

void Chunk3dsFile::readBlock(void* destination, size_t size)
{
    if (size == 0)
        return;
    if (!fileHandle) {
        errorBox("NULL Error:");
        std::memset(destination, 0xFF, size);
        return;
    }
    const size_t got = std::fread(destination, 1, size, fileHandle);
    bytesRead_ += size;
    if (got < size) {
        std::memset(static_cast<unsigned char*>(destination) + got, 0xFF, size - got);
        std::fseek(fileHandle, readPos_ + long(size), SEEK_SET);
    }
    readPos_ += long(size);
}

int Chunk3dsFile::readBoundedName()
{
    std::strcpy(nameBuffer, "Default name");
    const uint8_t first = readByte();
    if (first == 0)
        return -1;
    nameBuffer[0] = char(first);
    int count = 1;
    while (nameBuffer[count - 1] != 0 && count < 12)
        nameBuffer[count++] = char(readByte());
    nameBuffer[count - 1] = 0;
    return 0;
}

int Chunk3dsFile::readName()
{
    std::strcpy(nameBuffer, "Default name");
    int c = nextByteOrEnd();
    if (c <= 0)
        return -1;
    // A name that meets the end of the file ends there; one longer than the buffer keeps its
    // head and the rest is read to its zero so that the position lands where the file means.
    int kept = 0;
    while (c > 0) {
        if (kept < kNameBufferSize - 1)
            nameBuffer[kept++] = char(c);
        c = nextByteOrEnd();
    }
    nameBuffer[kept] = 0;
    return 0;
}

void Chunk3dsFile::setReadPosition(long offset, int origin)
{
    if (!fileHandle)
        return;
    std::fseek(fileHandle, offset, origin);
    readPos_ = std::ftell(fileHandle);
}

void Chunk3dsFile::writeByte(uint8_t value)
{
    const long before = writePos_;
    writePos_ = before + 1;
    if (!outputStream || std::fputc(value, outputStream) == EOF) {
        errorBox("Error Writing a char");
        if (outputStream)
            std::fseek(outputStream, writePos_, SEEK_SET);
    }
}

void Chunk3dsFile::write16(uint16_t value)
{
    writeByte(uint8_t(value & 0xFF));
    writeByte(uint8_t(value >> 8));
}

void Chunk3dsFile::write32(uint32_t value)
{
    write16(uint16_t(value & 0xFFFF));
    write16(uint16_t(value >> 16));
}

void Chunk3dsFile::writeBlock(const void* source, size_t size)
{
    if (size == 0)
        return;
    const long before = writePos_;
    writePos_ = before + long(size);
    if (!outputStream || std::fwrite(source, 1, size, outputStream) != size) {
        errorBox("Error Writing a char");
        if (outputStream)
            std::fseek(outputStream, writePos_, SEEK_SET);
    }
}

void Chunk3dsFile::setWritePosition(long offset, int origin)
{
    if (!outputStream)
        return;
    std::fseek(outputStream, offset, origin);
    writePos_ = std::ftell(outputStream);
}
