#include "CNewMultiDocTemplate.h"

IMPLEMENT_DYNAMIC(CNewMultiDocTemplate, CMultiDocTemplate)

CNewMultiDocTemplate::CNewMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                           CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    if (nIDResource != 0 && m_hMenuShared != NULL) {
        m_NewMenuShared.LoadMenu(m_hMenuShared);
        m_NewMenuShared.LoadToolbar(nIDResource);
    }
}

CNewMultiDocTemplate::~CNewMultiDocTemplate()
{
    if (m_hMenuShared == m_NewMenuShared.m_hMenu)
        m_hMenuShared = NULL;
    m_NewMenuShared.DestroyMenu();
}
