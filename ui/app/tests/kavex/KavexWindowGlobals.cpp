// The program's global windows and TV system, for tests that run them in their own process.
// The TV system's folder is the test's own, as the program's is the program's.
#include "CColorAdjustDlg.h"
#include "CControlPanelDlg.h"
#include "CTVVideoWnd.h"
#include "TVSystem.h"
#include "XvidSettings.h"

CTVVideoWnd theVideoWnd;
CTVSystem theTVSystem;
CControlPanelDlg theControlPanel;
CColorAdjustDlg theColorAdjustDlg;
CXvidSettings theXvidSettings;
