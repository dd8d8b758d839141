// CStringArray: a growable array of CString (see AfxArrayImpl.h for the sizing rules).
#pragma once

#include "AfxArrayImpl.h"
#include "CString.h"

class CStringArray : public afx_internal::CArrayImpl<CString, const CString&> {
    DECLARE_DYNCREATE(CStringArray)
};
