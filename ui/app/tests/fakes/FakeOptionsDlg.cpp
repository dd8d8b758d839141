#include "OptionsDlg.h"
#include "UiCallLog.h"

COptionsDlg theOptionsDlg;

void COptionsDlg::ShowMenu(BOOL show)
{
    CUiCallLog::Add(show ? "ShowMenu 1" : "ShowMenu 0");
}
