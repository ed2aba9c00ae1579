#pragma once
// The Transform dialog's entries read as numbers. Each box must hold one finite number and
// nothing else (spaces around it are fine); a scale must not be zero. The first bad entry
// gives the message the user sees, and no value is used.
#include <string>

struct TransformEntries {
    std::string moveX = "0", moveY = "0";
    std::string degrees = "0";
    std::string scaleX = "100", scaleY = "100";
    bool setPosition = false;   // only with one point selected
    std::string positionX, positionY;
};

struct TransformValues {
    double moveX = 0, moveY = 0, degrees = 0, scaleX = 100, scaleY = 100;
    bool setPosition = false;
    double positionX = 0, positionY = 0;
};

// Empty when every entry that counts is good (and `values` is filled); the message otherwise.
std::string readTransformEntries(const TransformEntries& entries, TransformValues& values);
