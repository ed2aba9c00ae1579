#pragma once
// Whole files in and out, for tests that hand the program real files and read what it wrote.
// Paths are as the running program sees them (relative ones from the current folder).
#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` as the whole file, replacing what was there.
void writeFile(const std::string& path, const std::string& bytes);
inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

// The whole file; empty when it cannot be read.
std::string readFileText(const std::string& path);
inline std::vector<uint8_t> readFileBytes(const std::string& path)
{
    const std::string text = readFileText(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}
// Lines of a text file, without their line ends; empty when the file does not exist.
std::vector<std::string> readTextLines(const std::string& path);

bool fileExists(const std::string& path);
