// CNewMultiDocTemplate: a multi-document template whose shared menu is a CNewMenu with the
// icons of the toolbar of the same resource id.
#pragma once

#include <afxwin.h>

#include "CNewMenu.h"

class CNewMultiDocTemplate : public CMultiDocTemplate {
    DECLARE_DYNAMIC(CNewMultiDocTemplate)
public:
    CNewMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                         CRuntimeClass* pViewClass);
    // The shared menu is destroyed once, by the member that converted it.
    ~CNewMultiDocTemplate() override;

    CNewMenu m_NewMenuShared;
};
