#pragma once
// GdiObject<Handle>: owns a GDI object (pen, brush, bitmap, font) and deletes it when the
// holder goes out of scope or is given another one. An object must not be selected into a DC
// when it is deleted: a SelectedObject declared after its GdiObject puts it out first.
#include <windows.h>

#include <utility>

template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    // Takes over `adopted`; null holds nothing.
    explicit GdiObject(Handle adopted) : handle_(adopted) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(other.detach()) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        reset(other.detach());
        return *this;
    }
    ~GdiObject() { reset(); }

    // Deletes the held object (if any) and takes over `adopted`.
    void reset(Handle adopted = nullptr)
    {
        Handle old = std::exchange(handle_, adopted);
        if (old)
            DeleteObject(old);
    }
    // The object goes to the caller, who deletes it; the holder is left empty.
    Handle detach() { return std::exchange(handle_, nullptr); }

    Handle get() const { return handle_; }
    operator Handle() const { return handle_; }

private:
    Handle handle_ = nullptr;
};
