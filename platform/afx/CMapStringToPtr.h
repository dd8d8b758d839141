// CMapStringToPtr: a hash map from strings to void* with the real framework's hashing and
// iteration order (see CMapImpl.h).
#pragma once

#include "CMapImpl.h"

class CMapStringToPtr
    : public afx_internal::CMapImpl<CString, LPCTSTR, void*, void*, afx_internal::CStringKeyHash> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(int nBlockSize = 10) : CMapImpl(nBlockSize) {}
};
