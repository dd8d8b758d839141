// CPtrList: a POSITION-addressed doubly linked list of void* (see CListImpl.h).
#pragma once

#include "CListImpl.h"

class CPtrList : public afx_internal::CListImpl<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(int nBlockSize = 10) : CListImpl(nBlockSize) {}
};
