#pragma once
// GlobalBlock: owns a global memory block (GlobalAlloc) and frees it when the holder goes out
// of scope or is given another block.
#include <windows.h>

#include <utility>

class GlobalBlock {
public:
    GlobalBlock() = default;
    // Takes over `adopted`; null holds nothing.
    explicit GlobalBlock(HGLOBAL adopted) : block_(adopted) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock(GlobalBlock&& other) noexcept : block_(other.detach()) {}
    GlobalBlock& operator=(GlobalBlock&& other) noexcept
    {
        reset(other.detach());
        return *this;
    }
    ~GlobalBlock() { reset(); }

    void reset(HGLOBAL adopted = nullptr)
    {
        if (HGLOBAL old = std::exchange(block_, adopted))
            GlobalFree(old);
    }
    HGLOBAL detach() { return std::exchange(block_, nullptr); }
    HGLOBAL get() const { return block_; }
    // The block's memory, for a fixed block (GMEM_FIXED, as GPTR makes): the handle is the
    // address.
    void* fixedMemory() const { return block_; }

private:
    HGLOBAL block_ = nullptr;
};
