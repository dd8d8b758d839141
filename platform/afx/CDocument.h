// CDocument: the data a program's views show. A document knows its views (each view adds
// itself when it is made and goes when it is destroyed) and the template that made it. With
// m_bAutoDelete (the default) it deletes itself when its last view goes, and OnCloseDocument
// destroys the frames of its views and then deletes it.
#pragma once

#include "CCmdTarget.h"
#include "CPtrList.h"
#include "CString.h"

class CArchive;
class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    // The frames of the views show the new title.
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    // Also makes the file's name the title.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return (CView*)m_viewList.GetNext(rPosition); }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

    // Empties the document, unmodified.
    virtual BOOL OnNewDocument();
    // Reads the file through Serialize; FALSE when it cannot be opened or read.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Destroys the frames of the views, leaves the template and deletes the document.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // TRUE: nothing here asks the user to save.
    virtual BOOL SaveModified() { return TRUE; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate;  // weak: the template owns its documents
    BOOL m_bModified;
    BOOL m_bAutoDelete;

protected:
    CDocument();
    // The view list changed: a document left without views closes when m_bAutoDelete.
    virtual void OnChangedViewList();

    CPtrList m_viewList;  // CView*, not owned

    DECLARE_MESSAGE_MAP()
};
