#pragma once
// Native build only: with no window system, errorBox records the texts it would have shown (and
// prints them to stderr). Tests read them here.
#include <string>
#include <vector>

// Texts passed to errorBox since the start or the last clear, oldest first.
const std::vector<std::string>& recordedErrorBoxes();
void clearRecordedErrorBoxes();
