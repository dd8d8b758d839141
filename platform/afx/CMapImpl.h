// The shared implementation of CMapStringToString, CMapStringToPtr and CMapPtrToPtr: a chained
// hash table that reproduces the real framework's layout exactly, because callers (ini files
// written in map order) depend on the iteration order:
// - the table has 17 buckets unless InitHashTable chose another size while the map was empty;
//   the constructor's nBlockSize is the node allocation granularity, not the table size;
// - bucket = HASH::Hash(key) % table size;
// - a new association goes to the head of its bucket's chain; SetAt of an existing key
//   replaces the value in place; RemoveKey unlinks;
// - iteration runs from bucket 0 upwards, each chain from its head.
#pragma once

#include "CNodePool.h"
#include "CMemoryException.h"
#include "CObject.h"
#include "CString.h"

#include <new>

namespace afx_internal {

// HASH provides: static UINT Hash(ARG_KEY key) and static bool Equal(const KEY&, ARG_KEY).
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
class CMapImpl : public CObject {
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;  // the bucket index
        KEY key;
        VALUE value;
    };

public:
    explicit CMapImpl(int nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pool(sizeof(CAssoc), nBlockSize)
    {
    }
    ~CMapImpl() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    // The value of key, added with an empty value when missing.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // BEFORE_START_POSITION, or NULL when the map is empty.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    // The association at rNextPosition; rNextPosition moves to the next one, NULL after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Sets the number of buckets (a prime is best). Ignored unless the map is empty (the real
    // framework asserts) or when nHashSize is 0.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(ARG_KEY key) const { return HASH::Hash(key); }

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const;
    void FreeAssoc(CAssoc* pAssoc);

    CNodePool m_pool;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
void CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    ASSERT(m_nCount == 0 && nHashSize > 0);
    if (m_nCount != 0 || nHashSize == 0)
        return;
    free(m_pHashTable);
    m_pHashTable = NULL;
    if (bAllocNow) {
        m_pHashTable = (CAssoc**)calloc(nHashSize, sizeof(CAssoc*));
        if (m_pHashTable == NULL)
            AfxThrowMemoryException();
    }
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
void CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::RemoveAll()
{
    if (m_pHashTable != NULL) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
            for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
                pAssoc->key.~KEY();
                pAssoc->value.~VALUE();
            }
        }
        free(m_pHashTable);
        m_pHashTable = NULL;
    }
    m_nCount = 0;
    m_pool.FreeAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
typename CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::CAssoc*
CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::GetAssocAt(ARG_KEY key, UINT& nHash) const
{
    nHash = HASH::Hash(key) % m_nHashTableSize;
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        if (HASH::Equal(pAssoc->key, key))
            return pAssoc;
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
BOOL CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nHash;
    CAssoc* pAssoc = GetAssocAt(key, nHash);
    if (pAssoc == NULL)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
VALUE& CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::operator[](ARG_KEY key)
{
    UINT nHash;
    CAssoc* pAssoc = GetAssocAt(key, nHash);
    if (pAssoc != NULL)
        return pAssoc->value;
    if (m_pHashTable == NULL)
        InitHashTable(m_nHashTableSize);
    pAssoc = (CAssoc*)m_pool.Alloc();
    try {
        new (&pAssoc->key) KEY(key);
        try {
            new (&pAssoc->value) VALUE();
        } catch (...) {
            pAssoc->key.~KEY();
            throw;
        }
    } catch (...) {
        m_pool.Free(pAssoc);
        throw;
    }
    pAssoc->nHashValue = nHash;
    pAssoc->pNext = m_pHashTable[nHash];
    m_pHashTable[nHash] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
void CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->key.~KEY();
    pAssoc->value.~VALUE();
    m_pool.Free(pAssoc);
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
BOOL CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    CAssoc** ppAssocPrev = &m_pHashTable[HASH::Hash(key) % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        if (HASH::Equal(pAssoc->key, key)) {
            *ppAssocPrev = pAssoc->pNext;
            FreeAssoc(pAssoc);
            return TRUE;
        }
        ppAssocPrev = &pAssoc->pNext;
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE, class HASH>
void CMapImpl<KEY, ARG_KEY, VALUE, ARG_VALUE, HASH>::GetNextAssoc(POSITION& rNextPosition,
                                                                  KEY& rKey, VALUE& rValue) const
{
    ASSERT(m_pHashTable != NULL && rNextPosition != NULL);
    CAssoc* pAssoc = (CAssoc*)rNextPosition;
    if (rNextPosition == BEFORE_START_POSITION) {
        pAssoc = NULL;
        for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssoc == NULL; ++nBucket)
            pAssoc = m_pHashTable[nBucket];
    }
    CAssoc* pNext = pAssoc->pNext;
    for (UINT nBucket = pAssoc->nHashValue + 1; pNext == NULL && nBucket < m_nHashTableSize; ++nBucket)
        pNext = m_pHashTable[nBucket];
    rNextPosition = (POSITION)pNext;
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

// Hash of a string key: h = h * 33 + c over the key's chars, each char sign-extended (char is
// signed, so bytes 0x80-0xFF add a negative value), in unsigned 32-bit arithmetic.
struct CStringKeyHash {
    static UINT Hash(LPCTSTR key)
    {
        UINT nHash = 0;
        for (; *key != '\0'; ++key)
            nHash = (nHash << 5) + nHash + (UINT)(int)(signed char)*key;
        return nHash;
    }
    static bool Equal(const CString& key1, LPCTSTR key2) { return strcmp(key1, key2) == 0; }
};

// Hash of a pointer key: its address shifted right by 4 (heap blocks are 16-byte aligned).
struct CPtrKeyHash {
    static UINT Hash(void* key) { return ((UINT)(DWORD_PTR)key) >> 4; }
    static bool Equal(void* key1, void* key2) { return key1 == key2; }
};

} // namespace afx_internal
