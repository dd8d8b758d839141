// The test panels of dialogs 102 and 230 in one of the program's skins, for a picture of them
// on a display of their own: skin_panel_dialog.exe [SKIN], SKIN a folder under Skins (none:
// the built-in skin). scripts/screenshot --window "Skin panel" OUT.png skin_panel_dialog.exe One
#include <afxcmn.h>

#include "CSkin.h"
#include "FolderPaths.h"
#include "SkinEngineTestResources.h"
#include "SkinSwitch.h"

#include <stdlib.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CString folder = GetModuleDir(NULL) + "\\";
    if (__argc > 1)
        folder += CString("Skins\\") + __argv[1] + "\\";
    CDialog panel, colorPanel;
    if (!panel.Create(IDD_PANEL, NULL) || !colorPanel.Create(IDD_COLOR_PANEL, &panel))
        return 1;
    CSkin* panelSkin = NULL;
    CSkin* colorSkin = NULL;
    SwitchSkin(colorSkin, &colorPanel, folder + "ColorSkin.ini", folder + "Chromabin.dll");
    if (!SwitchSkin(panelSkin, &panel, folder + "Skin.ini", folder + "Vellumpack.dll"))
        return 2;
    panel.SetWindowText("Skin panel");
    panel.SetWindowPos(NULL, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    colorPanel.SetWindowPos(NULL, 20, 190, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    MSG msg;
    while (IsWindow(panel.m_hWnd) && GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    delete panelSkin;
    delete colorSkin;
    return 0;
}
