#pragma once
// SelectedObject: keeps a GDI object selected into a DC for the holder's lifetime, then selects
// back the object it replaced. It neither makes nor deletes anything; with a null object, or
// when the selection fails, it does nothing at all.
#include <windows.h>

#include <utility>

class SelectedObject {
public:
    SelectedObject() = default;
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr)
    {
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr))
    {
    }
    SelectedObject& operator=(SelectedObject&& other) noexcept
    {
        restore();
        dc_ = other.dc_;
        previous_ = std::exchange(other.previous_, nullptr);
        return *this;
    }
    ~SelectedObject() { restore(); }

    // Puts the replaced object back now.
    void restore()
    {
        if (HGDIOBJ previous = std::exchange(previous_, nullptr))
            SelectObject(dc_, previous);
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};
