#pragma once
// Reference counting and IUnknown for the library's own objects.
#include <windows.h>

#include <unknwn.h>

// IUnknown's interface id, kept here so that nothing needs the uuid library.
const GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0, 0, 0, 0, 0, 0x46}};

// Implements IUnknown for an object that implements Interface; the object starts with one
// reference, held by its creator, and deletes itself at the last Release.
template <class Interface>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (!IsEqualGUID(riid, kIidUnknown)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        *ppv = static_cast<IUnknown*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    ULONG references_ = 1;
};
