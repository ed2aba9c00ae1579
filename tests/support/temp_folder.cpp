#include "tests/support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>

namespace {

// Unique across the suites running at once and the folders one suite makes.
std::filesystem::path freshName()
{
    static std::atomic<unsigned> made{0};
    const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
    return "mapwell-test-" + std::to_string(clock) + "-" + std::to_string(made++);
}

} // namespace

TempFolder::TempFolder()
{
    std::filesystem::path folder;
    do
        folder = std::filesystem::temp_directory_path() / freshName();
    while (!std::filesystem::create_directory(folder));
    path_ = folder.string();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;  // a file the program still holds open stays behind
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const
{
    return (std::filesystem::path(path_) / name).string();
}
