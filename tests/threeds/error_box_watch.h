#pragma once
// The error boxes a test made the program show, on either build: recorded natively, answered
// (OK) and recorded by a message-box hook on Windows.
#include <string>
#include <vector>

// Forgets the boxes shown so far; on Windows also starts answering the boxes to come.
void startWatchingErrorBoxes();
// Texts of the error boxes shown since startWatchingErrorBoxes(), oldest first.
std::vector<std::string> errorBoxesShown();
