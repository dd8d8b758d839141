// CMultiDocTemplate: a template with any number of documents, each in a frame of its own (an
// MDI child, usually). The id's menu and accelerators are loaded once, when the template is
// made, and shared by the frames of all its documents; the template destroys the menu.
#pragma once

#include "CDocTemplate.h"
#include "CPtrList.h"

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    // Loads the template's strings, shared menu and accelerators of nIDResource.
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    // Closes the documents still open; destroys the shared menu.
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    // The document name of the template strings with a running number ("Untitled1", ...).
    void SetDefaultTitle(CDocument* pDocument) override;
    // A new document with a new frame each time; what was made for a failed one goes again.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

    HMENU m_hMenuShared;    // owned
    HACCEL m_hAccelTable;   // a resource's table: the system frees it with the module

protected:
    CPtrList m_docList;     // CDocument*, owned through the documents' own closing
    UINT m_nUntitledCount;
};
