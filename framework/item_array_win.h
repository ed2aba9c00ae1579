#pragma once
// CItemArray: the framework's growable array. It holds either copies of fixed-size entries
// (by value) or plain pointers (by reference). It never owns what a by-reference entry points
// to: whoever added a pointer deletes the object.
#include <windows.h>

#include <memory>

enum class ItemArrayKind { ByValue, ByReference };

class CItemArray {
public:
    // A by-reference array always stores pointers, whatever `bytesPerEntry` says.
    CItemArray(ItemArrayKind kind, UINT bytesPerEntry);
    CItemArray(const CItemArray&) = delete;
    CItemArray& operator=(const CItemArray&) = delete;

    // Appends a copy of the entry at `item` (by value) or the pointer `item` itself (by
    // reference). When full the capacity doubles (16 the first time). Returns S_OK, E_FAIL for
    // an array with no entry size, E_OUTOFMEMORY when the larger buffer cannot be had (the
    // array is then unchanged).
    HRESULT Add(const void* item);

    // The stored pointer (by reference) or the address of the entry (by value). `index` must
    // be below Count(): there is no bounds check here.
    void* Item(UINT index) const;

    // Whether an entry has the same bytes (by-value arrays only).
    bool Contains(const void* item) const;

    UINT Count() const { return m_count; }

    // Forgets every entry and keeps the buffer.
    void Clear() { m_count = 0; }

private:
    ItemArrayKind m_kind;
    std::unique_ptr<BYTE[]> m_data;
    UINT m_bytesPerEntry;
    UINT m_count = 0;
    UINT m_capacity = 0;
};

// Typed access to an array of pointers: `ItemAt<AdapterRecord>(adapters, i)`.
template <typename T>
T* ItemAt(const CItemArray& array, UINT index) { return static_cast<T*>(array.Item(index)); }
