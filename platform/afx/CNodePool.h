// Node storage of the lists and maps: nodes are carved from blocks of nBlockSize nodes (the
// constructors' nBlockSize argument), kept on a free list when released, and the blocks are
// returned all at once when the collection empties, as the real framework does.
#pragma once

#include "afxdefs.h"

namespace afx_internal {

class CNodePool {
public:
    CNodePool(size_t nNodeSize, int nBlockSize);
    ~CNodePool();
    CNodePool(const CNodePool&) = delete;
    CNodePool& operator=(const CNodePool&) = delete;

    // Raw storage for one node; throws CMemoryException* when memory runs out.
    void* Alloc();
    void Free(void* pNode);
    // Returns every block; no node may be in use.
    void FreeAll();

private:
    struct Block {
        Block* pNext;
    };
    struct FreeNode {
        FreeNode* pNext;
    };
    size_t m_nNodeSize;
    int m_nBlockSize;
    Block* m_pBlocks;
    FreeNode* m_pFreeList;
};

} // namespace afx_internal
