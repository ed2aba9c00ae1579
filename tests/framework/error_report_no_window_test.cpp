// A fatal report before any window exists (Direct3D missing at start-up): the box still shows.
#include <gtest/gtest.h>

#include "framework/error_report_win.h"
#include "tests/framework/error_report_boxes.h"

namespace {

TEST(ErrorReportNoWindow, FatalBoxShowsWithoutADeviceWindow) {
    DialogAnswerer answerer;
    EXPECT_EQ(ShowErrorMessage(APPERR_NO_DIRECT3D, ERRMSG_EXIT, "D3D9 Application", nullptr),
              APPERR_NO_DIRECT3D);
    std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, "D3D9 Application");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.substr(0, 31), "Could not initialize Direct3D. ");
    EXPECT_TRUE(FatalErrorReported());
}

}  // namespace
