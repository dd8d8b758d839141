// CSliderCtrl: a trackbar control.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    CSliderCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetPos() const { return (int)Send(TBM_GETPOS); }
    void SetPos(int nPos) { Send(TBM_SETPOS, TRUE, nPos); }
    int GetRangeMin() const { return (int)Send(TBM_GETRANGEMIN); }
    int GetRangeMax() const { return (int)Send(TBM_GETRANGEMAX); }
    void GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(); nMax = GetRangeMax(); }
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) { Send(TBM_SETRANGEMIN, FALSE, nMin); Send(TBM_SETRANGEMAX, bRedraw, nMax); }
    void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { Send(TBM_SETRANGEMIN, bRedraw, nMin); }
    void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { Send(TBM_SETRANGEMAX, bRedraw, nMax); }
    int GetLineSize() const { return (int)Send(TBM_GETLINESIZE); }
    int SetLineSize(int nSize) { return (int)Send(TBM_SETLINESIZE, 0, nSize); }
    int GetPageSize() const { return (int)Send(TBM_GETPAGESIZE); }
    int SetPageSize(int nSize) { return (int)Send(TBM_SETPAGESIZE, 0, nSize); }
    void SetTicFreq(int nFreq) { Send(TBM_SETTICFREQ, nFreq); }
    BOOL SetTic(int nTic) { return (BOOL)Send(TBM_SETTIC, 0, nTic); }
    void ClearTics(BOOL bRedraw = FALSE) { Send(TBM_CLEARTICS, bRedraw); }
    void GetChannelRect(LPRECT lprc) const { Send(TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
    void GetThumbRect(LPRECT lprc) const { Send(TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
    void SetThumbLength(int nLength) { Send(TBM_SETTHUMBLENGTH, nLength); }
    void SetSelection(int nMin, int nMax) { Send(TBM_SETSEL, FALSE, MAKELPARAM(nMin, nMax)); }
    void ClearSel(BOOL bRedraw = FALSE) { Send(TBM_CLEARSEL, bRedraw); }
    void SetToolTips(CWnd* pWndTip) { Send(TBM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd()); }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
