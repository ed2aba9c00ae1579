#pragma once
// Paths into the source and build trees, for tests that read checked-in files or start the
// built program. CTest gives every suite MAPWELL_SOURCE_DIR and MAPWELL_BINARY_DIR; a suite
// started by hand without them gets paths relative to the current folder.
#include <cstdlib>
#include <string>

inline std::string treePath(const char* variable, const std::string& relative)
{
    const char* root = std::getenv(variable);
    return std::string(root ? root : ".") + "/" + relative;
}
// `relative` (with '/' separators) below the source tree's root, e.g. "tests/graphics".
inline std::string sourcePath(const std::string& relative) { return treePath("MAPWELL_SOURCE_DIR", relative); }
// `relative` below the build tree's root, e.g. "mapwell.exe".
inline std::string binaryPath(const std::string& relative) { return treePath("MAPWELL_BINARY_DIR", relative); }
