#pragma once
// Saving a file whole or not at all. The bytes go to a new temporary file in the target's
// folder, which is flushed to the disk and only then put in the target's place. Whatever fails
// on the way (no room on the disk, a write error, a read-only target or one another program
// holds open), the target keeps its old bytes and the temporary file is removed again.
// Portable; the system calls are in atomic_file_win.cpp and atomic_file_native.cpp.
#include <cstddef>
#include <cstdint>
#include <string>

enum class SaveResult {
    Saved,
    CannotCreate,    // no temporary file can be made in the target's folder
    WriteFailed,     // the temporary file could not be written or flushed (a full disk)
    CannotReplace,   // the target could not be replaced (read-only, or open elsewhere)
};

// A save in two steps, for writers that want to know that the file can be made before they
// build its bytes: the constructor makes the temporary file, commit fills it and replaces the
// target. An AtomicFile that is never committed removes its temporary file and leaves the
// target alone.
class AtomicFile {
public:
    explicit AtomicFile(const char* targetPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the temporary file could not be made (commit then gives CannotCreate).
    bool isOpen() const { return handle_ != kNoHandle; }
    // Writes `size` bytes to the temporary file, flushes it and replaces the target with it.
    // Call it once.
    SaveResult commit(const void* bytes, size_t size);

    static constexpr intptr_t kNoHandle = -1;

private:
    void discard();

    std::string target_;
    std::string temporary_;
    intptr_t handle_ = kNoHandle;
};

// The two steps at once.
SaveResult saveFileAtomically(const char* path, const void* bytes, size_t size);

// A line for the user about a save that did not happen (Saved gives ""): the target was left
// as it was.
const char* saveFailureMessage(SaveResult result);

// Test seam: every later save writes at most `byteCount` bytes of its file and then fails as a
// full disk would. stopFailingSaves() ends it.
void failSavesAfterBytes(uint64_t byteCount);
void stopFailingSaves();
