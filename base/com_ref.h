#pragma once
// ComRef<T>: owns one reference to a COM object (a Direct3D or library interface) and releases
// it when the holder goes out of scope or is given another object. Portable: it only calls
// AddRef and Release, so it also holds the test doubles of the native build.
//
// It converts to T* so that it can be handed to any call that takes the interface, and put()
// gives the address an out parameter fills.
#include <utility>

template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already owns (no AddRef).
    explicit ComRef(T* adopted) : pointer_(adopted) {}
    // A holder with a reference of its own to `object` (AddRef).
    static ComRef addReference(T* object)
    {
        if (object)
            object->AddRef();
        return ComRef(object);
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(other.detach()) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        reset(other.detach());
        return *this;
    }
    ~ComRef() { reset(); }

    // A second holder of the same object, with a reference of its own.
    ComRef share() const { return addReference(pointer_); }

    // Releases the reference now and forgets the object before doing so (a release can run
    // code that looks at this holder again). Returns the count Release reported, which is
    // above 0 when someone else still holds the object; 0 when the holder was empty.
    unsigned long release()
    {
        T* pointer = detach();
        return pointer ? static_cast<unsigned long>(pointer->Release()) : 0;
    }

    // Releases the held reference (if any) and takes over `adopted`.
    void reset(T* adopted = nullptr)
    {
        T* old = pointer_;
        pointer_ = adopted;
        if (old)
            old->Release();
    }

    // The reference goes to the caller; the holder is left empty.
    T* detach() { return std::exchange(pointer_, nullptr); }

    // For an out parameter: releases what is held and returns where the new pointer goes.
    T** put()
    {
        reset();
        return &pointer_;
    }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    operator T*() const { return pointer_; }

private:
    T* pointer_ = nullptr;
};
