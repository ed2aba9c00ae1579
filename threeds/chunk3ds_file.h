#pragma once
// The 3DS file object: the file handle the reader reads, the file the writer writes, and the
// byte-level operations both build on. One global instance, g_chunk3dsFile, lives for the run.
//
// Integers are little-endian and go through the file a byte at a time (a 16-bit value is two
// bytes, a 32-bit value two 16-bit halves, low first); floats are copied as raw bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "base/atomic_file.h"
#include "base/stdio_file.h"

constexpr int kNameBufferSize = 100;

class Chunk3dsFile {
public:
    StdioFile fileHandle;     // read side, opened with the mode "rb"
    uint8_t viewportEntryCount = 0; // viewport entries met so far, over all reads
    char nameBuffer[kNameBufferSize] = "Default name";

    Chunk3dsFile() = default;
    Chunk3dsFile(const Chunk3dsFile&) = delete;
    Chunk3dsFile& operator=(const Chunk3dsFile&) = delete;

    // Opens `path` with the mode "rb" as the file handle (closing any earlier one). Returns
    // false, with no handle, when the file cannot be opened.
    bool openForReading(const char* path);
    void closeReading();
    // Starts a file for `path`. What is written collects in memory; closeWriting puts it on
    // the disk in one atomic save, so that a save that fails leaves any earlier file at `path`
    // as it was. Returns false, with nothing started, when no file can be made beside `path`.
    bool openForWriting(const char* path);
    // Saves what was written (SaveResult::Saved), or reports why the file at the path is
    // unchanged: CannotCreate when nothing was started, WriteFailed when the bytes could not
    // be kept in memory or written.
    SaveResult closeWriting();
    // Closes the read stream, drops a file being written (its target stays as it was) and
    // forgets what earlier reads met: back to a fresh object.
    void reset();

    // Reads the file handle, from its start, into the first record of g_meshRecords (which the
    // caller has put there, its arrays empty). Returns 1 when the file was read, also when it
    // is no 3DS file at all (its first id is not 0x4D4D: the record is then left as the caller
    // prepared it, with material count 0). Returns 0 when the file is damaged: a chunk shorter
    // than its header or reaching past the end of the file, a list longer than its chunk, a
    // file that would make the scan read more than four times its size, or a face index past
    // the vertex count. The user has then been shown the error box "Error: 3DS file is
    // damaged" or "Error: 3DS face index past the vertex count", and the record holds what was
    // read before (its arrays always match their counts) and must not be used. Also returns 0,
    // reading nothing, when g_meshRecords is empty or there is no file handle (after the
    // error box "NULL Error:").
    int Read();
    // Writes the first record of g_meshRecords as a complete 3DS file to the file started:
    // material "material01" with the texture file name of the record's last material, object
    // "globalmesh" with the vertex, face, face-material and texture-coordinate chunks. Counts
    // above 65535 are written as their low 16 bits, and so are vertex indices. Returns 0 (and
    // writes nothing when g_meshRecords is empty).
    int Write();

    // Read side. A byte that cannot be read (end of file, error) reads as 0xFF and the position
    // still moves on by one; with no file handle the error box "NULL Error:" is shown first.
    uint8_t readByte();
    uint16_t read16();
    uint32_t read32();
    // Reads `size` raw bytes; bytes past the end of the file read as 0xFF.
    void readBlock(void* destination, size_t size);
    // Object names: at most 11 characters are kept and at most 12 bytes read, so a longer name
    // leaves its tail unread (`whole`, when given, tells whether the name's zero was read).
    // Returns -1 for an empty name (the buffer then keeps "Default name"), else 0.
    int readBoundedName(bool* whole = nullptr);
    // Material, texture and face-material names: read up to the zero byte (or the end of the
    // file); at most kNameBufferSize - 1 characters are kept. Returns -1 for an empty name.
    int readName();
    long readPosition() const { return readPos_; }
    void setReadPosition(long offset, int origin);
    // Bytes read (or read past the end) so far; the reader bounds its work with it.
    uint64_t bytesRead() const { return bytesRead_; }

    // Write side. With no file started, or when memory for the bytes runs out, nothing more is
    // written until the next start, and closeWriting gives WriteFailed.
    void writeByte(uint8_t value);
    void write16(uint16_t value);
    void write32(uint32_t value);
    void writeBlock(const void* source, size_t size);
    long writePosition() const { return writePos_; }
    void setWritePosition(long offset, int origin);

private:
    int nextByteOrEnd();   // the next byte, or -1 when it cannot be read

    // A mirror of the read stream's position, so that the per-byte position check costs no
    // call into the C library (which would ask the system every time under some runtimes).
    long readPos_ = 0;
    uint64_t bytesRead_ = 0;
    std::unique_ptr<AtomicFile> output_;   // the file started by openForWriting
    std::vector<uint8_t> written_;         // its bytes so far
    long writePos_ = 0;
    bool writeFailed_ = false;
};

extern Chunk3dsFile g_chunk3dsFile;
