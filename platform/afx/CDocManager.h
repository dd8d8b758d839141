// CDocManager: the application's document templates, which it owns, and the new and open
// commands over them (the first template serves both: there is no choice of document type).
#pragma once

#include "CPtrList.h"
#include "afxdefs.h"

class CDocTemplate;
class CDocument;

class CDocManager {
public:
    CDocManager();
    ~CDocManager();
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    void AddDocTemplate(CDocTemplate* pTemplate);
    int GetDocumentCount() const;
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;

    void OnFileNew();
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Closes every document of every template.
    void CloseAllDocuments(BOOL bEndSession);

private:
    CPtrList m_templateList;  // CDocTemplate*, owned
};
