// The shared implementation of CStringList and CPtrList: a doubly linked list addressed by
// POSITION (a node pointer), with nodes taken from a CNodePool of nBlockSize nodes per block.
#pragma once

#include <utility>

#include "CNodePool.h"
#include "CObject.h"

#include <new>

namespace afx_internal {

template <class TYPE, class ARG_TYPE>
class CListImpl : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CListImpl(int nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pool(sizeof(CNode), nBlockSize)
    {
    }
    ~CListImpl() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead()
    {
        ASSERT(m_pNodeHead != NULL);
        return m_pNodeHead->data;
    }
    const TYPE& GetHead() const
    {
        ASSERT(m_pNodeHead != NULL);
        return m_pNodeHead->data;
    }
    TYPE& GetTail()
    {
        ASSERT(m_pNodeTail != NULL);
        return m_pNodeTail->data;
    }
    const TYPE& GetTail() const
    {
        ASSERT(m_pNodeTail != NULL);
        return m_pNodeTail->data;
    }

    // The removed element; the list must not be empty.
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return (POSITION)InsertNode(NULL, m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return (POSITION)InsertNode(m_pNodeTail, NULL, newElement); }
    // The other list's elements, in their order, before the head / after the tail.
    void AddHead(CListImpl* pNewList);
    void AddTail(CListImpl* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }
    // The element at rPosition; rPosition moves to the next (previous) one, NULL past the end.
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    // The first element equal to searchValue after startAfter (from the head when NULL).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    // The position of the nIndex-th element (0 = head), NULL when out of range.
    POSITION FindIndex(int nIndex) const;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;

private:
    CNode* InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void FreeNode(CNode* pNode);

    CNodePool m_pool;
};

template <class TYPE, class ARG_TYPE>
typename CListImpl<TYPE, ARG_TYPE>::CNode*
CListImpl<TYPE, ARG_TYPE>::InsertNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    CNode* pNode = (CNode*)m_pool.Alloc();
    try {
        new (&pNode->data) TYPE(newElement);
    } catch (...) {
        m_pool.Free(pNode);
        throw;
    }
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    if (pPrev != NULL)
        pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    if (pNext != NULL)
        pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    ++m_nCount;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
void CListImpl<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    m_pool.Free(pNode);
    if (--m_nCount == 0)
        RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CListImpl<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* pNode = m_pNodeHead; pNode != NULL;) {
        CNode* pNext = pNode->pNext;
        pNode->data.~TYPE();
        pNode = pNext;
    }
    m_pool.FreeAll();
    m_pNodeHead = m_pNodeTail = NULL;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
TYPE CListImpl<TYPE, ARG_TYPE>::RemoveHead()
{
    ASSERT(m_pNodeHead != NULL);
    TYPE value(std::move(m_pNodeHead->data));
    RemoveAt((POSITION)m_pNodeHead);
    return value;
}

template <class TYPE, class ARG_TYPE>
TYPE CListImpl<TYPE, ARG_TYPE>::RemoveTail()
{
    ASSERT(m_pNodeTail != NULL);
    TYPE value(std::move(m_pNodeTail->data));
    RemoveAt((POSITION)m_pNodeTail);
    return value;
}

template <class TYPE, class ARG_TYPE>
void CListImpl<TYPE, ARG_TYPE>::AddHead(CListImpl* pNewList)
{
    ASSERT(pNewList != NULL && pNewList != this);
    for (POSITION pos = pNewList->GetTailPosition(); pos != NULL;)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CListImpl<TYPE, ARG_TYPE>::AddTail(CListImpl* pNewList)
{
    ASSERT(pNewList != NULL && pNewList != this);
    for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
void CListImpl<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pNode = (CNode*)position;
    ASSERT(pNode != NULL);
    if (pNode->pPrev != NULL)
        pNode->pPrev->pNext = pNode->pNext;
    else
        m_pNodeHead = pNode->pNext;
    if (pNode->pNext != NULL)
        pNode->pNext->pPrev = pNode->pPrev;
    else
        m_pNodeTail = pNode->pPrev;
    FreeNode(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CListImpl<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddHead(newElement);
    CNode* pOld = (CNode*)position;
    return (POSITION)InsertNode(pOld->pPrev, pOld, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CListImpl<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == NULL)
        return AddTail(newElement);
    CNode* pOld = (CNode*)position;
    return (POSITION)InsertNode(pOld, pOld->pNext, newElement);
}

template <class TYPE, class ARG_TYPE>
POSITION CListImpl<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : ((CNode*)startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext) {
        if (pNode->data == searchValue)
            return (POSITION)pNode;
    }
    return NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CListImpl<TYPE, ARG_TYPE>::FindIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return (POSITION)pNode;
}

} // namespace afx_internal
