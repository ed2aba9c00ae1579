#pragma once
// The message boxes a test's reports showed: those with the test's caption. Other programs
// on the shared virtual display (a crash dialog, say) may activate boxes of their own.
#include <string>
#include <vector>

#include "tests/support/dialog_answerer_win.h"

inline std::vector<DialogAnswerer::Box> BoxesCaptioned(const DialogAnswerer& answerer,
                                                       const std::string& caption) {
    std::vector<DialogAnswerer::Box> boxes;
    for (const DialogAnswerer::Box& box : answerer.seen()) {
        if (box.caption == caption)
            boxes.push_back(box);
    }
    return boxes;
}
