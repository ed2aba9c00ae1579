#pragma once
// Bounded text operations on fixed character buffers, shared by the media search and the
// statistics. Portable. Every function leaves a terminated text in a buffer of `size` chars.
#include <cstddef>

// Copies at most size - 1 characters of `source` into `dest` and terminates it. False (and
// nothing written) for a null pointer or a size of 0.
bool CopyBounded(char* dest, const char* source, size_t size);

// Appends `suffix` to the text in `text` when the whole still fits with its terminator;
// otherwise returns false and leaves `text` as it was.
bool AppendBounded(char* text, size_t size, const char* suffix);

// Cuts `path` just after its last backslash or slash, keeping the separator, and returns true;
// a path without a separator is left alone and false returned.
bool CutAfterLastSeparator(char* path);

// The part of `path` after its last backslash or slash (the whole path when it has none).
const char* FileNamePart(const char* path);
