#include "tests/support/tree_paths.h"

#include <cstdlib>

namespace {

std::string below(const char* variable, const std::string& relative)
{
    const char* root = std::getenv(variable);
    return std::string(root ? root : ".") + "/" + relative;
}

} // namespace

std::string sourcePath(const std::string& relative)
{
    return below("MAPWELL_SOURCE_DIR", relative);
}

std::string binaryPath(const std::string& relative)
{
    return below("MAPWELL_BINARY_DIR", relative);
}
