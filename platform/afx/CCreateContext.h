// CCreateContext: what a frame is told when it is made for a document: the view class to
// create and the document it shows. It travels as the frame's WM_CREATE parameter and on to
// the view's.
#pragma once

#include "afxdefs.h"

struct CRuntimeClass;
class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = NULL;
    CDocument* m_pCurrentDoc = NULL;
    CDocTemplate* m_pNewDocTemplate = NULL;
    CView* m_pLastView = NULL;
    CFrameWnd* m_pCurrentFrame = NULL;
};
