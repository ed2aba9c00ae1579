#include "viewer/image_group_registry_win.h"

#include "threeds/diagnostics.h"

#include <cassert>
#include <memory>
#include <vector>

bool g_constructingGroup = false;

static int g_groupCount = 0;

static std::vector<std::unique_ptr<ImageGroup>>& registry()
{
    static std::vector<std::unique_ptr<ImageGroup>> groups;
    return groups;
}

int takeImageGroupNumber()
{
    return ++g_groupCount;
}

void resetImageGroups()
{
    registry().clear();
    g_constructingGroup = false;
    g_groupCount = 0;
}

ImageGroup* createImageGroup(HWND parent, HINSTANCE instance, int x, int y, int width, int height)
{
    logLine("adding an ImageWindow");
    registry().push_back(std::make_unique<ImageGroup>(parent, instance, x, y, width, height));
    ImageGroup* group = registry().back().get();
    logLine("Lookup check");
    const ImageGroup* found = findGroupByWindow(group->windowHandle());
    assert(found == group && "a new group must be found by its window");
    (void)found;
    logLine("done adding an ImageWindow");
    return group;
}

ImageGroup* findGroupByWindow(HWND window)
{
    for (const auto& group : registry())
        if (group->shownWindow() && group->shownWindow()->hwnd == window)
            return group.get();
    return nullptr;
}

ImageGroup* findGroupByBase(HWND window)
{
    logLine("looking for Base hwnd");
    for (const auto& group : registry())
        if (group->baseWindow()->hwnd == window)
            return group.get();
    return nullptr;
}

void forgetDestroyedWindow(HWND window)
{
    for (const auto& group : registry()) {
        for (ImageWindow* member : group->windows)
            if (member->hwnd == window)
                member->hwnd = nullptr;
        if (group->baseWindow()->hwnd == window)
            group->baseWindow()->hwnd = nullptr;
    }
}
