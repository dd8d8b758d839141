// Velmora's frame, document and view made through the document template, as the program makes
// them, in a program of its own that a test copies into a scratch program folder. What reaches
// the view from outside, the frame's rectangle when it is first shown and whether it carries
// the program's icon are written as lines to "host.log" in the program folder for the test.
#include "CMainFrame.h"
#include "CVelmoraDoc.h"
#include "CVelmoraView.h"
#include "KitMessages.h"
#include "ModulePaths.h"
#include "VelmoraResource.h"

#include <stdio.h>

namespace {

void Log(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    _vsnprintf(line, sizeof(line) - 1, format, args);
    va_end(args);
    line[sizeof(line) - 1] = '\0';
    FILE* file = fopen(GetModuleDir() + "\\host.log", "ab");
    if (!file)
        return;
    fprintf(file, "%s\n", line);
    fclose(file);
}

class CHostView : public CVelmoraView
{
    DECLARE_DYNCREATE(CHostView)
protected:
    // The desktop's own commands and plays are only logged: they start programs and show
    // boxes, which the program's own tests cover, and a play's path would lie in the sender.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        Log("command %u %ld", (unsigned)LOWORD(wParam), (long)lParam);
        const UINT id = LOWORD(wParam);
        if (id >= ID_VIEW_COMMAND_FIRST && id <= ID_VIEW_COMMAND_LAST)
            return TRUE;
        return CVelmoraView::OnCommand(wParam, lParam);
    }
    LRESULT OnActivateRequest(WPARAM page, LPARAM request) override
    {
        Log("activate %lu %ld", (unsigned long)page, (long)request);
        return CVelmoraView::OnActivateRequest(page, request);
    }
    LRESULT PlayMedia(WPARAM path, LPARAM kind) override
    {
        Log("play %lu %ld", (unsigned long)path, (long)kind);
        return 0;
    }
};

IMPLEMENT_DYNCREATE(CHostView, CVelmoraView)

class CHostFrame : public CMainFrame
{
    DECLARE_DYNCREATE(CHostFrame)
protected:
    afx_msg void OnWindowPosChanged(WINDOWPOS* pos)
    {
        CMainFrame::OnWindowPosChanged(pos);
        if (pos->flags & SWP_SHOWWINDOW) {
            CRect rect;
            GetWindowRect(&rect);
            Log("shown %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
        }
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CHostFrame, CMainFrame)

BEGIN_MESSAGE_MAP(CHostFrame, CMainFrame)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

class CHostApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVelmoraDoc),
                                              RUNTIME_CLASS(CHostFrame),
                                              RUNTIME_CLASS(CHostView)));
        CCommandLineInfo cmdInfo;
        ParseCommandLine(cmdInfo);
        if (!ProcessShellCommand(cmdInfo))
            return FALSE;
        ((CMainFrame*)m_pMainWnd)->PlaceFullScreen();
        // Another process is not told the icons under Wine.
        HICON icon = LoadIcon(IDR_MAINFRAME);
        Log("icons %d %d", icon && (HICON)m_pMainWnd->SendMessage(WM_GETICON, ICON_BIG, 0) == icon,
            icon && (HICON)m_pMainWnd->SendMessage(WM_GETICON, ICON_SMALL, 0) == icon);
        return TRUE;
    }
};

CHostApp theApp;

}  // namespace
