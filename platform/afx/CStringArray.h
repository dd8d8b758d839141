// CStringArray: a growable array of CString (see CArrayImpl.h for the sizing rules).
#pragma once

#include "CArrayImpl.h"
#include "CString.h"

class CStringArray : public afx_internal::CArrayImpl<CString, const CString&> {
    DECLARE_DYNCREATE(CStringArray)
public:
    // The count (CArchive::WriteCount), then each string. Loading empties the array first;
    // a damaged count or string throws the archive's exception.
    void Serialize(CArchive& ar) override;
};
