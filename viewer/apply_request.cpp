#include "viewer/apply_request.h"

static void (*g_applyPointsHandler)() = nullptr;

void setApplyPointsHandler(void (*handler)())
{
    g_applyPointsHandler = handler;
}

void runApplyPointsHandler()
{
    if (!g_applyPointsHandler)
        return;
    g_applyPointsHandler();
    g_applyPointsHandler();
}
