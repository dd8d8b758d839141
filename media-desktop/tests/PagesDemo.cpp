// Velmora's pages in one window, for a picture of them on a display of its own:
// scripts/screenshot --window "Velmora pages" OUT.png velmora_pages.exe PAGE [FOLDER]
// PAGE 0 home, 1 pictures, 2 video, 3 music; FOLDER the media pages' folder, else the skin
// folder beside the program with its two backgrounds.
#include "CHomeScene.h"
#include "CMusicScene.h"
#include "CPictureScene.h"
#include "CSceneContainer.h"
#include "CVideoScene.h"
#include "CWinApp.h"
#include "ModulePaths.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CoInitialize(NULL);
    const int page = __argc > 1 ? atoi(__argv[1]) : 0;
    const CString folder = __argc > 2 ? CString(__argv[2]) : GetModuleDir() + "\\Skin";
    CWinApp app;
    CWnd frame;
    LPCTSTR frameClass = AfxRegisterWndClass(0, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                             (HBRUSH)(COLOR_BTNFACE + 1));
    if (!frame.CreateEx(0, frameClass, "Velmora pages", WS_POPUP | WS_CAPTION, 0, 0, 800, 600,
                        NULL, NULL))
        return 1;
    app.m_pMainWnd = &frame;
    CRect client;
    frame.GetClientRect(&client);

    CHomeScene home;
    CPictureScene pictures;
    CVideoScene video;
    CMusicScene music;
    CSceneBase* scenes[] = {&home, &pictures, &video, &music};
    const CString skin = GetModuleDir() + "\\Skin\\";
    for (int i = 0; i < 4; ++i) {
        if (!scenes[i]->Create(0, client, &frame, 1003 + i))
            return 1;
        scenes[i]->SetBackground(skin + (i == 0 ? "Main.jpg" : "bk.jpg"));
    }
    pictures.SetFolder(folder);
    video.SetFolder(folder);
    music.SetFolder(folder);
    pictures.GetBrowser().SetTypes(".jpg.jpeg.bmp.gif.");
    music.GetBrowser().SetTypes(".wma.mp3.rm.wav.m3u.");
    CSceneContainer container;
    for (CSceneBase* scene : scenes)
        container.AddPage(scene);
    frame.ShowWindow(SW_SHOW);
    container.ShowPage(page);

    MSG msg;
    while (IsWindow(frame.m_hWnd) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    app.m_pMainWnd = NULL;
    CoUninitialize();
    return 0;
}
