#pragma once
// A fresh, empty folder of its own for one test, in the system's temporary folder (so no folder
// of the source or build tree lies above it), removed with everything in it when the test ends.
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of `name` inside the folder.
    std::string file(const std::string& name) const;

private:
    std::string path_;
};
