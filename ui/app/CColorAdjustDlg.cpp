#include "CColorAdjustDlg.h"

#include "resource.h"

CColorAdjustDlg::CColorAdjustDlg() : CDialog(IDD_COLOR_ADJUST)
{
}
