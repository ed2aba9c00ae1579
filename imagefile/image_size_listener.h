#pragma once
// What an image window hears from its bitmap object: the size of the area the image is shown
// in when a load begins, and the size of the image as shown (zoomed) whenever it changes. The
// window keeps its scroll bars in step with both; the bitmap itself knows nothing of them.
class ImageSizeListener {
public:
    virtual void viewportSized(int width, int height) = 0;
    virtual void imageSized(int width, int height) = 0;

protected:
    ~ImageSizeListener() = default;
};
