#include "app/texture_pane_win.h"

#include "app/globals_win.h"
#include "viewer/checker_pattern.h"
#include "viewer/image_group_win.h"

PaneBitmapSize paneBitmapSize(ImageGroup& pane)
{
    PaneBitmapSize size;
    if (const ImageBitmap* bitmap = pane.windowBitmap()) {
        size.width = bitmap->getWidth();
        size.height = bitmap->getHeight();
    }
    if ((size.width <= 0 || size.height <= 0) && g_pointsOnChecker)
        size.width = size.height = kCheckerSide;
    return size;
}

void showPaneTexture(ImageGroup& pane, const char* path)
{
    if (ImageWindow* window = pane.activeWindow())
        window->bitmap.openImageFile(window->hwnd, path);
    resetPaneView(pane);
}

void resetPaneView(ImageGroup& pane)
{
    ImageWindow* window = pane.activeWindow();
    if (!window)
        return;
    window->horizontalBar.create(ImageScrollBar::OrientationHorizontal, window->hwnd,
                                        g_hInstance);
    window->verticalBar.create(ImageScrollBar::OrientationVertical, window->hwnd,
                                      g_hInstance);
    window->horizontalBar.position = 0;
    window->verticalBar.position = kTopScrollY;
    window->scrollX = 0;
    window->scrollY = kTopScrollY;
}

void emptyPaneBitmap(ImageGroup& pane)
{
    g_textureFileName.clear();
    if (ImageBitmap* bitmap = pane.windowBitmap()) {
        bitmap->releaseDibBlock();
        bitmap->deleteBitmaps();
    }
}

void setPaneZoom(ImageGroup& pane, float zoom)
{
    if (ImageWindow* window = pane.activeWindow())
        window->zoom = zoom;
}

void repaintPane(ImageGroup& pane)
{
    if (ImageWindow* window = pane.activeWindow())
        window->repaint();
}

void refreshPaneImageSize(ImageGroup& pane)
{
    ImageWindow* window = pane.activeWindow();
    if (!window)
        return;
    const ImageBitmap& bitmap = window->bitmap;
    const int width = int(float(bitmap.getWidth()) * window->zoom);
    const int height = int(float(bitmap.getHeight()) * window->zoom);
    window->horizontalBar.setImageSize(width, height);
    window->verticalBar.setImageSize(width, height);
}
