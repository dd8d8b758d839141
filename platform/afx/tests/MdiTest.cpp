// Documents of a multi-document template, each in an MDI child of an MDI frame.
#include <gtest/gtest.h>

#include <afxwin.h>

#include "MdiTestResources.h"

#include <string>

namespace {

class CSheetDoc : public CDocument
{
    DECLARE_DYNCREATE(CSheetDoc)
};
IMPLEMENT_DYNCREATE(CSheetDoc, CDocument)

class CSheetView : public CView
{
    DECLARE_DYNCREATE(CSheetView)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CSheetView, CView)

CFrameWnd* FrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos != NULL ? pDoc->GetNextView(pos)->GetParentFrame() : NULL;
}

TEST(MultiDocTemplate, EachDocumentOpensInAnMDIChildOfTheMainFrame)
{
    CWinApp app;
    CMDIFrameWnd* pMain = new CMDIFrameWnd;
    ASSERT_TRUE(pMain->LoadFrame(IDR_MDI_TEST));
    ASSERT_NE(nullptr, pMain->m_hWndMDIClient);
    app.m_pMainWnd = pMain;
    {
        CMultiDocTemplate docTemplate(IDR_MDI_TEST, RUNTIME_CLASS(CSheetDoc),
                                      RUNTIME_CLASS(CMDIChildWnd), RUNTIME_CLASS(CSheetView));
        EXPECT_TRUE(IsMenu(docTemplate.m_hMenuShared));
        EXPECT_NE(GetMenu(pMain->m_hWnd), docTemplate.m_hMenuShared) << "a menu of its own";
        EXPECT_EQ(1, CopyAcceleratorTableA(docTemplate.m_hAccelTable, NULL, 0));

        CDocument* pFirst = docTemplate.OpenDocumentFile(NULL);
        CDocument* pSecond = docTemplate.OpenDocumentFile(NULL);
        ASSERT_NE(nullptr, pFirst);
        ASSERT_NE(nullptr, pSecond);
        EXPECT_EQ("Sheet1", std::string(pFirst->GetTitle()));
        EXPECT_EQ("Sheet2", std::string(pSecond->GetTitle()));
        CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, FrameOf(pSecond));
        ASSERT_NE(nullptr, pChild);
        EXPECT_EQ(pMain->m_hWndMDIClient, GetParent(pChild->m_hWnd));
        EXPECT_EQ(pMain, pChild->GetMDIFrame());
        EXPECT_EQ(pChild, pMain->MDIGetActive());
        EXPECT_TRUE(pChild->GetStyle() & WS_VISIBLE) << "shown by its initial update";

        // The Window popup lists the children.
        HMENU hWindow = GetSubMenu(GetMenu(pMain->m_hWnd), 1);
        EXPECT_EQ(1 + 1 + 2, GetMenuItemCount(hWindow)) << "a separator and one item per child";

        pFirst->OnCloseDocument();
        POSITION pos = docTemplate.GetFirstDocPosition();
        EXPECT_EQ(pSecond, docTemplate.GetNextDoc(pos));
        EXPECT_EQ(nullptr, pos);
        // The template closes the second document.
    }
    EXPECT_EQ(nullptr, pMain->MDIGetActive());
    app.m_pMainWnd = NULL;
    pMain->DestroyWindow();
}

TEST(MultiDocTemplate, AChildFrameWithoutAnMDIFrameIsNotMade)
{
    CMDIChildWnd* pChild = new CMDIChildWnd;
    EXPECT_FALSE(pChild->Create(NULL, "orphan"));
    delete pChild;
}

TEST(AfxCancelModes, ADroppedComboBoxElsewhereClosesItsList)
{
    HWND hOwner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300,
                                  NULL, NULL, NULL, NULL);
    HWND hCombo = CreateWindowExA(0, "COMBOBOX", NULL, WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 10, 10, 100, 200,
                                  hOwner, (HMENU)1, NULL, NULL);
    SendMessageA(hCombo, CB_ADDSTRING, 0, (LPARAM)"one");
    SetForegroundWindow(hOwner);
    SetFocus(hCombo);
    SendMessageA(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageA(hCombo, CB_GETDROPPEDSTATE, 0, 0));
    AfxCancelModes(GetFocus());
    EXPECT_TRUE(SendMessageA(hCombo, CB_GETDROPPEDSTATE, 0, 0)) << "the receiver's own combo box stays";
    AfxCancelModes(hOwner);
    EXPECT_FALSE(SendMessageA(hCombo, CB_GETDROPPEDSTATE, 0, 0));
    DestroyWindow(hOwner);
}

} // namespace
