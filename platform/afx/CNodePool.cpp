#include "CNodePool.h"
#include "CMemoryException.h"

namespace afx_internal {

namespace {

const size_t kAlign = 8;

size_t RoundUp(size_t n)
{
    return (n + kAlign - 1) / kAlign * kAlign;
}

} // namespace

CNodePool::CNodePool(size_t nNodeSize, int nBlockSize)
    : m_nNodeSize(RoundUp(nNodeSize < sizeof(FreeNode) ? sizeof(FreeNode) : nNodeSize)),
      m_nBlockSize(nBlockSize < 1 ? 1 : nBlockSize), m_pBlocks(NULL), m_pFreeList(NULL)
{
}

CNodePool::~CNodePool()
{
    FreeAll();
}

void* CNodePool::Alloc()
{
    if (m_pFreeList == NULL) {
        size_t nHeader = RoundUp(sizeof(Block));
        BYTE* pRaw = (BYTE*)malloc(nHeader + m_nNodeSize * m_nBlockSize);
        if (pRaw == NULL)
            AfxThrowMemoryException();
        Block* pBlock = (Block*)pRaw;
        pBlock->pNext = m_pBlocks;
        m_pBlocks = pBlock;
        // Chain the new nodes so that they are handed out in address order.
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            FreeNode* pNode = (FreeNode*)(pRaw + nHeader + m_nNodeSize * i);
            pNode->pNext = m_pFreeList;
            m_pFreeList = pNode;
        }
    }
    FreeNode* pNode = m_pFreeList;
    m_pFreeList = pNode->pNext;
    return pNode;
}

void CNodePool::Free(void* pNode)
{
    FreeNode* pFree = (FreeNode*)pNode;
    pFree->pNext = m_pFreeList;
    m_pFreeList = pFree;
}

void CNodePool::FreeAll()
{
    while (m_pBlocks != NULL) {
        Block* pNext = m_pBlocks->pNext;
        free(m_pBlocks);
        m_pBlocks = pNext;
    }
    m_pFreeList = NULL;
}

} // namespace afx_internal
