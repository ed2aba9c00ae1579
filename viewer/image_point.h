#pragma once
// One editable texture coordinate: the point of one mesh vertex, in unzoomed bitmap pixels,
// with its selection state and the motion the next paint applies. Stored and handed out by
// value; a fresh record is all zeros.
//
// A point has no label text: nothing ever gives one, so none is stored (a 100-byte text per
// record was two thirds of a 60,000-point list). The wide fields come first so that a record
// takes 44 bytes.
#include <cstdint>

// What a drag does to the selected points.
enum MotionKind : int32_t {
    MotionMove = 0,
    MotionRotate = 1,
    MotionScale = 2,
};

struct ImagePoint {
    float x = 0.0f;              // image pixels from the bitmap's left edge
    float y = 0.0f;              // image pixels from the bitmap's top row
    float u = 0.0f;              // texture coordinates the point was built from
    float v = 0.0f;
    int32_t index = 0;           // assigned by the list when the point is added
    int32_t motionDx = 0;        // pending motion in window pixels
    int32_t motionDy = 0;
    int32_t motionKind = MotionMove;
    int32_t markerHidden = 0;    // every point is drawn with its square
    uint8_t keepSelected = 0;    // selection survives a rubber band that leaves the point
    uint8_t showVerticalGuide = 0;
    uint8_t showHorizontalGuide = 0;
    uint8_t motionPending = 0;
    uint8_t selected = 0;
};
