#include "CSingleDocTemplate.h"

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "afxres.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_pOnlyDoc(NULL)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != NULL) {
        CDocument* pDoc = m_pOnlyDoc;
        pDoc->m_bAutoDelete = TRUE;
        pDoc->OnCloseDocument();
        // A document that would not go is at least no longer ours.
        if (m_pOnlyDoc == pDoc)
            m_pOnlyDoc->m_pDocTemplate = NULL;
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc != NULL ? (POSITION)1 : NULL;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos == (POSITION)1 ? m_pOnlyDoc : NULL;
    rPos = NULL;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    if (m_pOnlyDoc == pDoc)
        m_pOnlyDoc = NULL;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString strTitle;
    if (!GetDocString(strTitle, docName) && !strTitle.LoadString(AFX_IDS_UNTITLED))
        strTitle = "Untitled";
    pDocument->SetTitle(strTitle);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    LoadTemplate();
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = NULL;
    BOOL bCreated = FALSE;
    if (pDocument != NULL) {
        if (!pDocument->SaveModified())
            return NULL;
        POSITION pos = pDocument->GetFirstViewPosition();
        if (pos != NULL)
            pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (pDocument == NULL)
            return NULL;
    }
    if (pFrame == NULL) {
        bCreated = TRUE;
        // The document waits for its view: without one it would close at once.
        BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, NULL);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == NULL) {
            delete pDocument;
            return NULL;
        }
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
        if (bCreated)
            pFrame->DestroyWindow();
        return NULL;
    }
    CWinThread* pThread = AfxGetApp();
    if (bCreated && pThread != NULL && pThread->m_pMainWnd == NULL)
        pThread->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
