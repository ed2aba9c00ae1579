#include "tests/support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    // Unique across the suites running at once and the folders one suite makes.
    static std::atomic<unsigned> made{0};
    const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path folder;
    do
        folder = fs::temp_directory_path() / ("mapwell-test-" + std::to_string(clock) + "-" + std::to_string(made++));
    while (!fs::create_directory(folder));
    path_ = folder.string();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;  // a file the program still holds open stays behind
    fs::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const { return (fs::path(path_) / name).string(); }
