#pragma once
// Device contexts held for a scope: a memory DC (CreateCompatibleDC, deleted at the end), a
// window's DC (GetDC, released at the end) and the DC of a WM_PAINT (BeginPaint, EndPaint at
// the end). Each may hold none when GDI refused; test with get() or the conversion to HDC.
#include <windows.h>

#include <utility>

class MemoryDc {
public:
    MemoryDc() = default;
    // A memory DC compatible with `reference` (the screen when null).
    explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDc& operator=(MemoryDc&& other) noexcept
    {
        reset();
        dc_ = std::exchange(other.dc_, nullptr);
        return *this;
    }
    ~MemoryDc() { reset(); }

    void reset()
    {
        if (HDC dc = std::exchange(dc_, nullptr))
            DeleteDC(dc);
    }
    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

class WindowDc {
public:
    // The DC of `window`'s client area (the screen's when null).
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }

    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class PaintDc {
public:
    // Starts painting `window`; the end of the scope ends it, also when BeginPaint gave no DC.
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }

    const RECT& area() const { return paint_.rcPaint; }
    HDC get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};
