// Velmora's window kit put together in one window, for a picture of it on a display of its own
// (scripts/screenshot --window "Velmora window kit" OUT.png velmora_window_kit.exe).
#include "CCaptionWnd.h"
#include "CGradientCaption.h"
#include "CMenuListBox.h"
#include "CSceneBase.h"
#include "CStatusText.h"
#include "ModulePaths.h"

namespace {

class CDemoScene : public CSceneBase
{
protected:
    void CreateChildren() override
    {
        m_menu.SetGrid(4, 1);
        m_menu.SetItemSize(140, 40);
        m_menu.Create(WS_VISIBLE, CRect(30, 30, 194, 200), this, 1);
        for (const char* text : {"我的电视", "我的图片", "我的视频", "我的音乐"})
            m_menu.AddString(text);

        m_list.SetGrid(3, 3);
        m_list.SetItemSize(120, 40);
        m_list.Create(WS_VISIBLE, CRect(220, 30, 640, 170), this, 2);
        for (int i = 0; i < 14; ++i) {
            CString text;
            text.Format("Clip %d", i + 1);
            m_list.AddString(text);
        }
        m_list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(160, 60));

        m_status.Create(WS_VISIBLE, CRect(30, 460, 700, 500), this, 3);
        m_status.SetItemText(0, "正在浏览: C:\\Media\\Video");

        m_caption.Create("", WS_CHILD | WS_VISIBLE, CRect(30, 220, 500, 250), this, 1005);
        m_caption.SetConstantText("Settings");
        m_caption.SetFont("Verdana", 700, 14);
        m_caption.SetTextColor(GetSysColor(COLOR_BTNFACE));
        m_caption.SetWindowText("General");
    }

private:
    CMenuListBox m_menu;
    CSuperListBox m_list;
    CStatusText m_status;
    CGradientCaption m_caption;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(NULL);
    CWnd frame;
    LPCTSTR frameClass = AfxRegisterWndClass(0, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                             (HBRUSH)(COLOR_BTNFACE + 1));
    if (!frame.CreateEx(0, frameClass, "Velmora window kit", WS_OVERLAPPEDWINDOW, 40, 40, 760, 620,
                        NULL, NULL))
        return 1;
    CCaptionWnd caption;
    CDemoScene scene;
    if (!caption.Create(WS_VISIBLE, CRect(0, 0, 744, 40), &frame, 100)
        || !scene.Create(0, CRect(0, 40, 744, 580), &frame, 101))
        return 1;
    scene.SetBackground(GetModuleDir() + "\\skin\\Main.jpg");
    scene.ShowWindow(SW_SHOW);
    frame.ShowWindow(SW_SHOW);
    MSG msg;
    while (IsWindow(frame.m_hWnd) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CoUninitialize();
    return 0;
}
