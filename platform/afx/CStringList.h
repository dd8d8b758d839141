// CStringList: a POSITION-addressed doubly linked list of CString (see CListImpl.h).
#pragma once

#include "CListImpl.h"
#include "CString.h"

class CStringList : public afx_internal::CListImpl<CString, const CString&> {
    DECLARE_DYNCREATE(CStringList)
public:
    explicit CStringList(int nBlockSize = 10) : CListImpl(nBlockSize) {}
};
