// CDocTemplate: binds a document class, a frame class and a view class (RUNTIME_CLASS of
// each, all DYNCREATE) under one resource id, whose string holds the template's texts
// separated by '\n' (window title, document name, ...) and whose icon and menu the frames get.
// The template owns the documents it makes.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    ~CDocTemplate() override;

    // Reads the resource string; the constructor cannot, as the program may not be running yet.
    virtual void LoadTemplate();
    // FALSE and an empty text when the string has no such part.
    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;

    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    // A new document of the template's class, added to the template; NULL when it cannot be
    // made.
    virtual CDocument* CreateNewDocument();
    // A new frame for the document with its view, made hidden through LoadFrame; NULL when it
    // cannot be made.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // The document's name of the template strings, else "Untitled".
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    // lpszPathName NULL: a new document. The document, NULL on failure.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);
};
