#pragma once
// Paths into the source and build trees, for tests that read checked-in files or start the
// built program. CTest gives every suite MAPWELL_SOURCE_DIR and MAPWELL_BINARY_DIR; a suite
// started by hand without them gets paths relative to the current folder.
#include <string>

// `relative` (with '/' separators) below the source tree's root, e.g. "tests/graphics".
std::string sourcePath(const std::string& relative);
// `relative` below the build tree's root, e.g. "mapwell.exe".
std::string binaryPath(const std::string& relative);
