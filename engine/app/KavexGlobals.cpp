// The program's global objects, made in this order at load and ended in the reverse order:
// the application first, the windows around the TV system it serves.
#include "CColorAdjustDlg.h"
#include "CControlPanelDlg.h"
#include "CDebugScope.h"
#include "CTVVideoWnd.h"
#include "CTvApp.h"
#include "TVSystem.h"
#include "XvidSettings.h"

CTvApp theApp;
CTVVideoWnd theVideoWnd;
CTVSystem theTVSystem;
CXvidSettings theXvidSettings;
CDebugScope theDebugScope("");
CControlPanelDlg theControlPanel;
CColorAdjustDlg theColorAdjustDlg;
