#include "framework/item_array_win.h"

#include <cassert>
#include <cstring>
#include <new>
#include <utility>

CItemArray::CItemArray(ItemArrayKind kind, UINT bytesPerEntry)
    : m_kind(kind),
      m_bytesPerEntry(kind == ItemArrayKind::ByReference ? UINT(sizeof(void*)) : bytesPerEntry) {}

HRESULT CItemArray::Add(const void* item) {
    if (m_bytesPerEntry == 0)
        return E_FAIL;
    if (m_count == m_capacity) {
        UINT newCapacity = m_capacity == 0 ? 16 : m_capacity * 2;
        if (newCapacity < m_capacity || newCapacity > UINT(-1) / m_bytesPerEntry)
            return E_OUTOFMEMORY;
        const size_t bytes = size_t(newCapacity) * m_bytesPerEntry;
        std::unique_ptr<BYTE[]> grown(new (std::nothrow) BYTE[bytes]);
        if (!grown)
            return E_OUTOFMEMORY;
        if (m_count > 0)
            memcpy(grown.get(), m_data.get(), size_t(m_count) * m_bytesPerEntry);
        m_data = std::move(grown);
        m_capacity = newCapacity;
    }
    BYTE* slot = m_data.get() + size_t(m_count) * m_bytesPerEntry;
    if (m_kind == ItemArrayKind::ByReference)
        memcpy(slot, &item, sizeof(void*));
    else
        memcpy(slot, item, m_bytesPerEntry);
    ++m_count;
    return S_OK;
}

void* CItemArray::Item(UINT index) const {
    assert(index < m_count);
    BYTE* slot = m_data.get() + size_t(index) * m_bytesPerEntry;
    if (m_kind == ItemArrayKind::ByValue)
        return slot;
    void* stored;
    memcpy(&stored, slot, sizeof(void*));
    return stored;
}

bool CItemArray::Contains(const void* item) const {
    assert(m_kind == ItemArrayKind::ByValue);
    for (UINT i = 0; i < m_count; ++i) {
        if (memcmp(Item(i), item, m_bytesPerEntry) == 0)
            return true;
    }
    return false;
}
