#pragma once
// The few system calls behind AtomicFile, one implementation per platform (atomic_file_win.cpp
// with Win32, atomic_file_native.cpp with POSIX). Handles are the system's own, widened to
// intptr_t; AtomicFile::kNoHandle stands for none.
#include <cstddef>
#include <cstdint>

namespace atomic_file_system {

// Creates `path` for writing; fails (kNoHandle) when it exists already or cannot be made.
intptr_t createNew(const char* path);
// Writes all `size` bytes; false when the system could not write them all.
bool writeAll(intptr_t handle, const void* bytes, size_t size);
// Pushes what was written to the disk itself.
bool flushToDisk(intptr_t handle);
bool close(intptr_t handle);
// Puts `from` in the place of `to`, replacing `to` when it exists, in one step.
bool replace(const char* from, const char* to);
void remove(const char* path);

}  // namespace atomic_file_system
