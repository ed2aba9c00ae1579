// A fatal report before any window exists (Direct3D missing at start-up): the box still shows.
#include <gtest/gtest.h>

#include "framework/error_report.h"
#include "tests/support/dialog_answerer.h"

namespace {

TEST(ErrorReportNoWindow, FatalBoxShowsWithoutADeviceWindow) {
    DialogAnswerer answerer;
    EXPECT_EQ(ShowErrorMessage(APPERR_NO_DIRECT3D, ERRMSG_EXIT, "D3D9 Application", nullptr),
              APPERR_NO_DIRECT3D);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "D3D9 Application");
    EXPECT_EQ(answerer.seen()[0].text.substr(0, 31), "Could not initialize Direct3D. ");
    EXPECT_TRUE(FatalErrorReported());
}

}  // namespace
