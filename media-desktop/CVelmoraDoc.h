#pragma once

#include "afxwin.h"

// The desktop's document: it holds nothing; the settings live in the view.
class CVelmoraDoc : public CDocument
{
    DECLARE_DYNCREATE(CVelmoraDoc)
public:
    CVelmoraDoc();
};
