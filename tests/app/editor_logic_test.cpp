// The editor's portable pieces: plane projection, the Transform dialog's entries and the UV
// layout picture. The editor's suite checks them through its dialogs once.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/plane_projection.h"
#include "app/transform_entries.h"
#include "app/uv_layout.h"

namespace {

TEST(PlaneProjection, UnknownPlanesGiveNothingAndAnAxisWithoutExtentGivesZero)
{
    const std::vector<Vertex3ds> flat = {{3, 10, 0}, {5, 11, 0}, {9, 14, 0}};
    for (int32_t unknown : {int32_t(PlaneNone), 1032, 1036}) {
        std::vector<PlanePoint> points(3);
        EXPECT_FALSE(planeCoordinates(flat, unknown, points));
        EXPECT_TRUE(points.empty());
        EXPECT_EQ(nullptr, planeName(unknown));
    }
    // Seen edge on, every z is 0: t has no extent and stays finite, mirrored or not.
    std::vector<PlanePoint> points;
    ASSERT_TRUE(planeCoordinates(flat, PlaneXZ, points));
    mirrorPlaneCoordinates(points, true, true);
    normalisePlaneCoordinates(points);
    const float expectedS[] = {1, 4.0f / 6, 0};
    for (size_t k = 0; k < points.size(); ++k) {
        EXPECT_FLOAT_EQ(expectedS[k], points[k].s) << k;
        EXPECT_EQ(0.0f, points[k].t) << k;
    }
    std::vector<PlanePoint> none;
    ASSERT_TRUE(planeCoordinates({}, PlaneYZ, none));
    mirrorPlaneCoordinates(none, true, true);
    normalisePlaneCoordinates(none);
    EXPECT_TRUE(none.empty());
}


TEST(UvLayout, DrawsScaledEdgesAndLeavesOutWhatIsNotInThePicture)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    UvLayout layout;
    layout.width = 20;
    layout.height = 20;
    layout.bitmapWidth = layout.bitmapHeight = 10;
    // A triangle (0, 0), (9, 0), (0, 9); one reaching far out; one with a corner that is no
    // number; one naming a point that is not there.
    layout.points = {0, 0, 9, 0, 0, 9, 5, 5, 1e30f, -1e30f, nan, 3};
    layout.triangles = {0, 1, 2, 3, 4, 3, 3, 5, 0, 0, 1, 99};
    layout.lineColour = 0xFF0000FF;
    Image ground;
    ground.width = ground.height = 2;
    ground.pixels = {0xFF111111, 0xFF222222, 0xFF333333, 0xFF444444};

    const Image plain = drawUvLayout(layout, nullptr);
    const Image over = drawUvLayout(layout, &ground);
    ASSERT_EQ(plain.pixels.size(), 400u);
    auto at = [](const Image& image, int x, int y) { return image.pixels[size_t(y) * 20 + size_t(x)]; };
    for (int i = 0; i <= 18; ++i) {
        EXPECT_EQ(at(plain, i, 0), 0xFF0000FFu) << i;          // (0, 0) to (9, 0), doubled
        EXPECT_EQ(at(plain, 0, i), 0xFF0000FFu) << i;
        EXPECT_EQ(at(plain, i, 18 - i), 0xFF0000FFu) << i;     // the hypotenuse
    }
    EXPECT_EQ(at(plain, 19, 1), 0xFF0000FFu);   // the far edge, cut at the picture's side
    EXPECT_EQ(at(plain, 3, 12), 0u);
    EXPECT_EQ(at(over, 3, 1), 0xFF111111u);     // the ground's quarters, scaled ten times
    EXPECT_EQ(at(over, 15, 15), 0xFF444444u);
    EXPECT_EQ(at(over, 3, 12), 0xFF333333u);
}

// Each bad entry is named, and leaves the values as they were.
TEST(TransformEntries, EveryBadEntryIsNamedAndNothingIsRead)
{
    struct Case {
        std::string TransformEntries::*field;
        const char* text;
        const char* message;   // empty: accepted
    };
    const Case cases[] = {
        {&TransformEntries::moveX, " -2.5 ", ""},
        {&TransformEntries::moveY, "", "Move y: enter a number."},
        {&TransformEntries::degrees, "90deg", "Rotate: enter a number."},
        {&TransformEntries::degrees, "1e999", "Rotate: enter a number."},
        {&TransformEntries::scaleX, "nan", "Scale x: enter a number."},
        {&TransformEntries::scaleY, "0", "A scale of 0% would collapse the selection; enter another scale."},
        {&TransformEntries::scaleY, "-0.0", "A scale of 0% would collapse the selection; enter another scale."},
        // The position boxes count only when the position is set.
        {&TransformEntries::positionX, "x", ""},
    };
    for (const Case& c : cases) {
        TransformEntries entries;
        entries.*c.field = c.text;
        TransformValues values;
        values.moveX = 42;
        EXPECT_EQ(c.message, readTransformEntries(entries, values)) << c.text;
        EXPECT_EQ(*c.message ? 42.0 : std::string(c.text) == " -2.5 " ? -2.5 : 0.0, values.moveX) << c.text;
    }

    TransformEntries position;
    position.setPosition = true;
    position.moveX = "not used";
    position.positionX = "12";
    position.positionY = "oops";
    TransformValues values;
    EXPECT_EQ("Position y: enter a number.", readTransformEntries(position, values));
    position.positionY = "0.25";
    ASSERT_EQ("", readTransformEntries(position, values));
    EXPECT_TRUE(values.setPosition);
    EXPECT_EQ(12.0, values.positionX);
    EXPECT_EQ(0.25, values.positionY);
}

} // namespace
