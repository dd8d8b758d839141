// CMapPtrToPtr: a hash map from void* to void* with the real framework's hashing and iteration
// order (see CMapImpl.h).
#pragma once

#include "CMapImpl.h"

class CMapPtrToPtr
    : public afx_internal::CMapImpl<void*, void*, void*, void*, afx_internal::CPtrKeyHash> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(int nBlockSize = 10) : CMapImpl(nBlockSize) {}
};
