#include "CMultiDocTemplate.h"

#include "CDialog.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_hMenuShared(NULL),
      m_hAccelTable(NULL), m_nUntitledCount(0)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    while (!m_docList.IsEmpty()) {
        CDocument* pDoc = (CDocument*)m_docList.GetHead();
        pDoc->m_bAutoDelete = TRUE;
        pDoc->OnCloseDocument();
        // A document that would not go is at least no longer ours.
        if (!m_docList.IsEmpty() && m_docList.GetHead() == pDoc) {
            pDoc->m_pDocTemplate = NULL;
            m_docList.RemoveHead();
        }
    }
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource == 0)
        return;
    LPCTSTR lpszName = MAKEINTRESOURCE(m_nIDResource);
    if (m_hMenuShared == NULL)
        m_hMenuShared = ::LoadMenuA(AfxFindResourceHandle(lpszName, RT_MENU), lpszName);
    if (m_hAccelTable == NULL)
        m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return (CDocument*)m_docList.GetNext(rPos);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != NULL)
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strTitle;
    if (!GetDocString(strTitle, docName) && !strTitle.LoadString(AFX_IDS_UNTITLED))
        strTitle = "Untitled";
    CString strNumber;
    strNumber.Format("%u", ++m_nUntitledCount);
    pDocument->SetTitle(strTitle + strNumber);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == NULL)
        return NULL;
    // The document waits for its view: without one it would close at once.
    BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, NULL);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == NULL) {
        RemoveDocument(pDocument);
        delete pDocument;
        return NULL;
    }
    BOOL bLoaded;
    if (lpszPathName == NULL) {
        SetDefaultTitle(pDocument);
        bLoaded = pDocument->OnNewDocument();
    } else {
        bLoaded = pDocument->OnOpenDocument(lpszPathName);
        if (bLoaded)
            pDocument->SetPathName(lpszPathName);
    }
    if (!bLoaded) {
        // The frame takes its view and so the document with it.
        pFrame->DestroyWindow();
        return NULL;
    }
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
