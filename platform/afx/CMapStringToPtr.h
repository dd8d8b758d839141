// CMapStringToPtr: a hash map from strings to void* with the real framework's hashing and
// iteration order (see AfxMapImpl.h).
#pragma once

#include "AfxMapImpl.h"

class CMapStringToPtr
    : public afx_internal::CMapImpl<CString, LPCTSTR, void*, void*, afx_internal::CStringKeyHash> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(int nBlockSize = 10) : CMapImpl(nBlockSize) {}
};
