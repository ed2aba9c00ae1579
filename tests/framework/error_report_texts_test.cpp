// The framework's warning boxes: every message text exactly, the caption, the warning icon,
// the reference-device sentence, and that a warning leaves the program running.
#include <gtest/gtest.h>

#include <d3d9.h>
#include <string>

#include "framework/error_report_win.h"
#include "tests/framework/error_report_boxes.h"

namespace {

const char kCaption[] = "Quillfold: Optimizing Meshes in D3D";

struct ExpectedText {
    HRESULT code;
    const char* text;
};

// The message table, written out independently of the program's own copy, by the codes'
// values: a wrong constant shows as a wrong text.
const ExpectedText kTable[] = {
    {HRESULT(0x82000001),
     "Could not initialize Direct3D. You may\nwant to check that the latest version of\nDirectX "
     "is correctly installed on your\nsystem.  Also make sure that this program\nwas compiled "
     "with header files that match\nthe installed DirectX DLLs."},
    {HRESULT(0x82000003), "Could not find any compatible Direct3D\ndevices."},
    {HRESULT(0x82000004),
     "This sample cannot run in a desktop\nwindow with the current display settings.\nPlease "
     "change your desktop settings to a\n16- or 32-bit display mode and re-run this\nsample."},
    {HRESULT(0x82000005), "No hardware-accelerated Direct3D devices\nwere found."},
    {HRESULT(0x82000006),
     "This sample requires functionality that is\nnot available on your Direct3D "
     "hardware\naccelerator."},
    {HRESULT(0x82000007),
     "Your Direct3D hardware accelerator cannot\nrender into a window.\nPress F2 while the app "
     "is running to see a\nlist of available devices and modes."},
    {HRESULT(0x82000008),
     "Your Direct3D hardware accelerator cannot\nrender into a window with the "
     "current\ndesktop display settings.\nPress F2 while the app is running to see a\nlist of "
     "available devices and modes."},
    {HRESULT(0x82000009),
     "This sample requires functionality that is\nnot available on your Direct3D "
     "hardware\naccelerator with the current desktop display\nsettings.\nPress F2 while the "
     "app is running to see a\nlist of available devices and modes."},
    {HRESULT(0x8200000b), "Could not load required media."},
    {HRESULT(0x80070002), "Could not load required media."},
    {HRESULT(0x8200000c), "Could not reset the Direct3D device."},
    {HRESULT(0x8200000a),
     "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned "
     "up)."},
    {HRESULT(0x8200000d),
     "Warning: Nothing will be rendered.\nThe reference rendering device was selected, but "
     "your\ncomputer only has a reduced-functionality reference device\ninstalled.  Install the "
     "Direct3D developer runtime to get the full\nreference device.\n"},
    {HRESULT(0x8007000e), "Not enough memory."},
    {HRESULT(0x8876017c), "Not enough video memory."},
    {HRESULT(0x80004005),
     "Generic application error. Enable\ndebug output for detailed information."},
    {HRESULT(0x82000002),
     "Generic application error. Enable\ndebug output for detailed information."},
};

TEST(ErrorReportTexts, EveryWarningShowsItsTextWithTheCaptionAndWarningIcon) {
    DialogAnswerer answerer;
    for (const ExpectedText& entry : kTable)
        EXPECT_EQ(ShowErrorMessage(entry.code, ERRMSG_WARN, kCaption, nullptr), entry.code);
    const std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, kCaption);
    ASSERT_EQ(boxes.size(), std::size(kTable));
    for (size_t i = 0; i < std::size(kTable); ++i) {
        SCOPED_TRACE(i);
        const DialogAnswerer::Box& box = boxes[i];
        EXPECT_EQ(box.text, kTable[i].text);
        EXPECT_EQ(box.caption, kCaption);
        EXPECT_EQ(box.style & MB_ICONMASK, unsigned(MB_ICONWARNING));
        EXPECT_EQ(box.style & MB_TYPEMASK, unsigned(MB_OK));
    }
    EXPECT_FALSE(FatalErrorReported());
}

TEST(ErrorReportTexts, SwitchToReferenceAddsTheRasterizerSentence) {
    DialogAnswerer answerer;
    EXPECT_EQ(ShowErrorMessage(E_OUTOFMEMORY, ERRMSG_SWITCHED_TO_REF, "Title", nullptr),
              E_OUTOFMEMORY);
    const std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, "Title");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Not enough memory.\n\nSwitching to the reference rasterizer,\na software device "
              "that implements the entire\nDirect3D feature set, but runs very slowly.");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, unsigned(MB_ICONWARNING));
    EXPECT_FALSE(FatalErrorReported());
}

TEST(ErrorReportTexts, ErrorMessageTextKnowsTheDriverError) {
    EXPECT_STREQ(ErrorMessageText(D3DERR_DRIVERINTERNALERROR),
                 "A serious problem occured inside the display driver.");
}

}  // namespace
