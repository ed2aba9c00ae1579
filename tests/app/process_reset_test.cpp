// The one process-wide reset: whatever a pane and the editor's commands leave behind, the
// state afterwards is the state this process started with.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

#include "app/globals_win.h"
#include "app/subset_materials_win.h"
#include "base/atomic_file.h"
#include "framework/error_report_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/pane_host_win.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"
#include "toolkit/controls_win.h"
#include "toolkit/element_tree_win.h"
#include "viewer/apply_request.h"
#include "viewer/point_edit_state.h"
#include "viewer/viewer_settings.h"

namespace {

int g_applied = 0;

// Everything process-wide that a test can read, in one comparable value.
auto processState()
{
    return std::make_tuple(
        g_meshHasPoints, g_meshShown, g_pointsOnChecker, g_planeChoice, g_reverseU, g_reverseV, g_markerScale,
        g_textureFileName.get() == nullptr, g_fileMaterials.entries() == nullptr,
        g_autoUpdateMesh, g_lineColorIndex, g_repeatHorizontal, g_repeatVertical, g_pointsReady,
        shiftDown, ctrlDown, g_editState.editMode, g_editState.bandActive,
        g_editState.applyRequested, g_elementTree.elementCount(), g_buttons.size(),
        g_meshRecords.size(), int(g_chunk3dsFile.viewportEntryCount), FatalErrorReported());
}

TEST(ProcessReset, BringsBackTheStateTheProcessStartedWith)
{
    const auto atStart = processState();
    std::string firstGroup;
    {
        PaneHost host;
        firstGroup = host.group->name;
        host.key(VK_SHIFT, true);
        host.press(5, 5);   // starts a rubber band
        host.command(40057);   // rotate mode
    }
    g_meshHasPoints = g_meshShown = g_pointsOnChecker = g_reverseU = g_reverseV = true;
    g_planeChoice = 1035;
    g_markerScale = 2.0f;
    g_textureFileName.set("left.bmp");
    g_fileMaterials.allocate(3);
    g_autoUpdateMesh = ctrlDown = true;
    g_pointsReady = false;
    g_lineColorIndex = 3;
    g_repeatHorizontal = g_repeatVertical = 7;
    g_editState.applyRequested = true;
    g_meshRecords.emplace_back();
    g_chunk3dsFile.viewportEntryCount = 4;
    setApplyPointsHandler([] { ++g_applied; });
    {
        DialogAnswerer answerer;
        ShowErrorMessage(E_FAIL, ERRMSG_EXIT, "Mapwell", nullptr);
    }
    failSavesAfterBytes(0);
    ASSERT_NE(processState(), atStart);

    ResetProcessGlobals(GetModuleHandleA(nullptr));
    EXPECT_EQ(processState(), atStart);
    EXPECT_EQ(g_hInstance, GetModuleHandleA(nullptr));
    runApplyPointsHandler();
    EXPECT_EQ(g_applied, 0) << "the apply hook is gone";
    EXPECT_EQ(saveFileAtomically("reset.txt", "x", 1), SaveResult::Saved) << "saves work again";
    PaneHost again;
    EXPECT_EQ(again.group->name, firstGroup) << "groups are numbered from the first again";
}

} // namespace
