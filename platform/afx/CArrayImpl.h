// The shared implementation of CStringArray, CPtrArray, CDWordArray, CUIntArray and
// CByteArray: a growable array with the real framework's sizing rules. New elements are
// value-initialized (0 for numbers and pointers, empty for CString).
#pragma once

#include "CMemoryException.h"
#include "CObject.h"

#include <algorithm>
#include <new>
#include <utility>

namespace afx_internal {

template <class TYPE, class ARG_TYPE>
class CArrayImpl : public CObject {
public:
    CArrayImpl() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    ~CArrayImpl() override
    {
        DestroyElements(0, m_nSize);
        free(m_pData);
    }

    int GetSize() const { return m_nSize; }
    int GetUpperBound() const { return m_nSize - 1; }
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0); }

    const TYPE& GetAt(int nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    void SetAt(int nIndex, ARG_TYPE newElement)
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        m_pData[nIndex] = newElement;
    }
    TYPE& ElementAt(int nIndex)
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return m_pData[nIndex];
    }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(int nIndex, ARG_TYPE newElement);
    int Add(ARG_TYPE newElement)
    {
        int nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Returns the index of the first appended element.
    int Append(const CArrayImpl& src);
    void Copy(const CArrayImpl& src);

    const TYPE& operator[](int nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](int nIndex) { return ElementAt(nIndex); }

    // An index past the end first grows the array to nIndex + nCount.
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1);
    void InsertAt(int nStartIndex, CArrayImpl* pNewArray);
    void RemoveAt(int nIndex, int nCount = 1);

protected:
    TYPE* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;

private:
    void ConstructElements(int nFirst, int nEnd)
    {
        for (int i = nFirst; i < nEnd; ++i)
            new (m_pData + i) TYPE();
    }
    void DestroyElements(int nFirst, int nEnd)
    {
        for (int i = nFirst; i < nEnd; ++i)
            m_pData[i].~TYPE();
    }
    void Reallocate(int nNewMax);
};

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::Reallocate(int nNewMax)
{
    TYPE* pNewData = (TYPE*)malloc(sizeof(TYPE) * (nNewMax > 0 ? nNewMax : 1));
    if (pNewData == NULL)
        AfxThrowMemoryException();
    for (int i = 0; i < m_nSize; ++i) {
        new (pNewData + i) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    free(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::SetSize(int nNewSize, int nGrowBy)
{
    if (nGrowBy != -1)
        m_nGrowBy = nGrowBy;
    if (nNewSize < 0)
        nNewSize = 0;
    if (nNewSize == 0) {
        DestroyElements(0, m_nSize);
        free(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (m_pData == NULL) {
        Reallocate(nNewSize > m_nGrowBy ? nNewSize : m_nGrowBy);
        ConstructElements(0, nNewSize);
        m_nSize = nNewSize;
        return;
    }
    if (nNewSize <= m_nMaxSize) {
        if (nNewSize > m_nSize)
            ConstructElements(m_nSize, nNewSize);
        else
            DestroyElements(nNewSize, m_nSize);
        m_nSize = nNewSize;
        return;
    }
    // Growing past the allocation: by m_nGrowBy, or when that is 0 by an eighth of the
    // current size, at least 4 and at most 1024 elements.
    int nGrow = m_nGrowBy;
    if (nGrow == 0) {
        nGrow = m_nSize / 8;
        nGrow = nGrow < 4 ? 4 : (nGrow > 1024 ? 1024 : nGrow);
    }
    int nNewMax = m_nMaxSize + nGrow;
    Reallocate(nNewSize > nNewMax ? nNewSize : nNewMax);
    ConstructElements(m_nSize, nNewSize);
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize) {
        if (m_nSize == 0) {
            free(m_pData);
            m_pData = NULL;
            m_nMaxSize = 0;
        } else {
            Reallocate(m_nSize);
        }
    }
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::SetAtGrow(int nIndex, ARG_TYPE newElement)
{
    ASSERT(nIndex >= 0);
    if (nIndex < 0)
        return;
    // newElement may refer to an element of this array, which growing would move.
    TYPE value(newElement);
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1);
    m_pData[nIndex] = std::move(value);
}

template <class TYPE, class ARG_TYPE>
int CArrayImpl<TYPE, ARG_TYPE>::Append(const CArrayImpl& src)
{
    ASSERT(this != &src);
    int nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize);
    for (int i = 0; i < src.m_nSize; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::Copy(const CArrayImpl& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize);
    for (int i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::InsertAt(int nIndex, ARG_TYPE newElement, int nCount)
{
    ASSERT(nIndex >= 0 && nCount > 0);
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE value(newElement);
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount);
    } else {
        int nOldSize = m_nSize;
        SetSize(m_nSize + nCount);
        std::move_backward(m_pData + nIndex, m_pData + nOldSize, m_pData + nOldSize + nCount);
    }
    for (int i = nIndex; i < nIndex + nCount; ++i)
        m_pData[i] = value;
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::InsertAt(int nStartIndex, CArrayImpl* pNewArray)
{
    ASSERT(pNewArray != NULL && pNewArray != this);
    if (pNewArray == NULL || pNewArray->GetSize() == 0)
        return;
    InsertAt(nStartIndex, pNewArray->GetAt(0), pNewArray->GetSize());
    for (int i = 1; i < pNewArray->GetSize(); ++i)
        m_pData[nStartIndex + i] = pNewArray->GetAt(i);
}

template <class TYPE, class ARG_TYPE>
void CArrayImpl<TYPE, ARG_TYPE>::RemoveAt(int nIndex, int nCount)
{
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    std::move(m_pData + nIndex + nCount, m_pData + m_nSize, m_pData + nIndex);
    DestroyElements(m_nSize - nCount, m_nSize);
    m_nSize -= nCount;
}

} // namespace afx_internal
