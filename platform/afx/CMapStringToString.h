// CMapStringToString: a hash map from strings to strings with the real framework's hashing and
// iteration order (see CMapImpl.h). Keys compare exactly, case-sensitively.
#pragma once

#include "CMapImpl.h"

class CMapStringToString
    : public afx_internal::CMapImpl<CString, LPCTSTR, CString, LPCTSTR, afx_internal::CStringKeyHash> {
    DECLARE_DYNCREATE(CMapStringToString)
public:
    explicit CMapStringToString(int nBlockSize = 10) : CMapImpl(nBlockSize) {}
};
