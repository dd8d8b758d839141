#include "CDocManager.h"

#include "CDocTemplate.h"
#include "CDocument.h"

CDocManager::CDocManager() = default;

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
        delete (CDocTemplate*)m_templateList.RemoveHead();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return (CDocTemplate*)m_templateList.GetNext(pos);
}

int CDocManager::GetDocumentCount() const
{
    int nCount = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc = pTemplate->GetFirstDocPosition();
        while (posDoc != NULL) {
            pTemplate->GetNextDoc(posDoc);
            ++nCount;
        }
    }
    return nCount;
}

void CDocManager::OnFileNew()
{
    if (m_templateList.IsEmpty())
        return;
    ((CDocTemplate*)m_templateList.GetHead())->OpenDocumentFile(NULL);
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templateList.IsEmpty())
        return NULL;
    return ((CDocTemplate*)m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

void CDocManager::CloseAllDocuments(BOOL)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != NULL) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION posDoc;
        while ((posDoc = pTemplate->GetFirstDocPosition()) != NULL) {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            pDoc->m_bAutoDelete = TRUE;
            pDoc->OnCloseDocument();
        }
    }
}
