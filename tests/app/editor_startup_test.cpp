// Start-up of the real editor with the bundled mesh "knot.x" in place.
#include <gtest/gtest.h>

#include "app/globals_win.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "viewer/image_group_win.h"

namespace {

TEST(EditorStartup, LoadsKnotXIntoThePaneButDrawsNothingUntilAFileIsOpened)
{
    writeBmp("knotmap.bmp", 40, 20, [](int, int) { return 0x00FF00u; });
    const TestMesh knot = squareMesh("knotmap.bmp", 0.1f, 0.6f, -0.7f, -0.2f);
    writeXFile("knot.x", knot);

    EditorHost& host = editor();
    EXPECT_FALSE(g_meshShown);
    const std::vector<ImagePoint> points = host.points();
    ASSERT_EQ(points.size(), knot.vertices.size());
    for (size_t k = 0; k < points.size(); ++k) {
        EXPECT_FLOAT_EQ(points[k].x, 40 * knot.vertices[k].u) << k;
        EXPECT_FLOAT_EQ(points[k].y, 20 * (1 + knot.vertices[k].v)) << k;
    }
    const Capture atStart = host.frame();
    ASSERT_GT(atStart.width, 0);
    EXPECT_EQ(countNotBlue(atStart), 0);

    ASSERT_TRUE(host.openFile("knot.x").empty());
    EXPECT_TRUE(g_meshShown);
    const Capture opened = host.frame();
    EXPECT_TRUE(isGreenish(opened.at(opened.width / 2, opened.height / 2)));
}

} // namespace
