// Opening and closing the read stream and the file being written, and the byte-level reads
// and writes.
#include "threeds/chunk3ds_file.h"

#include <algorithm>
#include <cstring>
#include <new>

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
    output_ = std::make_unique<AtomicFile>(path);
    written_.clear();
    writePos_ = 0;
    writeFailed_ = false;
    if (!output_->isOpen())
        output_.reset();
    return output_ != nullptr;
}

SaveResult Chunk3dsFile::closeWriting()
{
    if (!output_)
        return SaveResult::CannotCreate;
    const SaveResult result = writeFailed_ ? SaveResult::WriteFailed
                                           : output_->commit(written_.data(), written_.size());
    output_.reset();
    std::vector<uint8_t>().swap(written_);
    return result;
}

void Chunk3dsFile::reset()
{
    closeReading();
    output_.reset();
    std::vector<uint8_t>().swap(written_);
    writeFailed_ = false;
    viewportEntryCount = 0;
    std::strcpy(nameBuffer, "Default name");
    readPos_ = 0;
    writePos_ = 0;
    bytesRead_ = 0;
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

int Chunk3dsFile::readBoundedName(bool* whole)
{
    std::strcpy(nameBuffer, "Default name");
    const uint8_t first = readByte();
    if (whole)
        *whole = true;
    if (first == 0)
        return -1;
    nameBuffer[0] = char(first);
    int count = 1;
    while (nameBuffer[count - 1] != 0 && count < 12)
        nameBuffer[count++] = char(readByte());
    if (whole)
        *whole = nameBuffer[count - 1] == 0;
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
    writeBlock(&value, 1);
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
    const size_t at = size_t(writePos_);
    writePos_ += long(size);
    if (output_ && !writeFailed_) {
        try {
            if (written_.size() < at + size)
                written_.resize(at + size);
            std::memcpy(written_.data() + at, source, size);
            return;
        } catch (const std::bad_alloc&) {
        }
    }
    writeFailed_ = true;   // closeWriting reports it
}

void Chunk3dsFile::setWritePosition(long offset, int origin)
{
    if (!output_)
        return;
    const long base = origin == SEEK_CUR   ? writePos_
                      : origin == SEEK_END ? long(written_.size())
                                           : 0;
    writePos_ = std::max(0L, base + offset);
}
