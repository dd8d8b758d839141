// The dispatch functions of message-map entries: each unpacks a message for one handler shape
// (afxmsg.h) and calls the handler through the pointer its entry stored.
#include "CWnd.h"

#include "CDC.h"
#include "CCmdUI.h"
#include "CMenu.h"

namespace {

// The stored handler cast back to the signature its entry's macro checked (AfxStoredHandler),
// so the cast between member types is sound by construction.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <class PMSG>
PMSG Handler(AFX_PMSG pfn)
{
    return reinterpret_cast<PMSG>(pfn);
}
#pragma GCC diagnostic pop

// The signed coordinates packed in a message's lParam.
int XOf(LPARAM lParam)
{
    return (short)LOWORD(lParam);
}

int YOf(LPARAM lParam)
{
    return (short)HIWORD(lParam);
}

CPoint PointOf(LPARAM lParam)
{
    return CPoint(XOf(lParam), YOf(lParam));
}

CWnd* WndOf(WPARAM h)
{
    return CWnd::FromHandle((HWND)h);
}

CDC* DCOf(WPARAM h)
{
    return CDC::FromHandle((HDC)h);
}

// A scroll bar control as its object; a value that is no window is the sender's own pointer.
CScrollBar* ScrollBarOf(LPARAM lParam)
{
    HWND hWnd = (HWND)lParam;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return reinterpret_cast<CScrollBar*>(lParam);
    return reinterpret_cast<CScrollBar*>(CWnd::FromHandle(hWnd));
}

} // namespace

#define AFX_DISPATCH(name) \
    LRESULT AFXAPI name(CCmdTarget* p, AFX_PMSG pfn, [[maybe_unused]] UINT nID, [[maybe_unused]] WPARAM w, \
                        [[maybe_unused]] LPARAM l)
#define AFX_CALL(shape) (p->*Handler<AFX_PMSG_##shape>(pfn))

AFX_DISPATCH(AfxSig_v_v) { AFX_CALL(v_v)(); return 0; }
AFX_DISPATCH(AfxSig_i_CREATE) { return AFX_CALL(i_CREATE)((LPCREATESTRUCT)l); }
AFX_DISPATCH(AfxSig_b_D) { return AFX_CALL(b_D)(DCOf(w)); }
AFX_DISPATCH(AfxSig_v_TIMER) { AFX_CALL(v_TIMER)((UINT_PTR)w); return 0; }
AFX_DISPATCH(AfxSig_v_u_i_i) { AFX_CALL(v_u_i_i)((UINT)w, LOWORD(l), HIWORD(l)); return 0; }
AFX_DISPATCH(AfxSig_v_u_pr) { AFX_CALL(v_u_pr)((UINT)w, (LPRECT)l); return TRUE; }
AFX_DISPATCH(AfxSig_v_i_i) { AFX_CALL(v_i_i)(XOf(l), YOf(l)); return 0; }
AFX_DISPATCH(AfxSig_v_b_u) { AFX_CALL(v_b_u)((BOOL)w, (UINT)l); return 0; }
AFX_DISPATCH(AfxSig_v_u_p) { AFX_CALL(v_u_p)((UINT)w, PointOf(l)); return 0; }
AFX_DISPATCH(AfxSig_b_u_s_p)
{
    return AFX_CALL(b_u_s_p)(LOWORD(w), (short)HIWORD(w), PointOf(l));
}
AFX_DISPATCH(AfxSig_i_W_u_u) { return AFX_CALL(i_W_u_u)(WndOf(w), LOWORD(l), HIWORD(l)); }
AFX_DISPATCH(AfxSig_b_W_u_u) { return AFX_CALL(b_W_u_u)(WndOf(w), LOWORD(l), HIWORD(l)); }
AFX_DISPATCH(AfxSig_l_p) { return AFX_CALL(l_p)(PointOf(l)); }
AFX_DISPATCH(AfxSig_v_b_NCCALC)
{
    AFX_CALL(v_b_NCCALC)((BOOL)w, (NCCALCSIZE_PARAMS*)l);
    return 0;
}
AFX_DISPATCH(AfxSig_b_b) { return AFX_CALL(b_b)((BOOL)w); }
AFX_DISPATCH(AfxSig_v_u_u_u) { AFX_CALL(v_u_u_u)((UINT)w, LOWORD(l), HIWORD(l)); return 0; }
AFX_DISPATCH(AfxSig_v_u_l) { AFX_CALL(v_u_l)((UINT)w, l); return 0; }
AFX_DISPATCH(AfxSig_v_W) { AFX_CALL(v_W)(WndOf(w)); return 0; }
AFX_DISPATCH(AfxSig_v_b) { AFX_CALL(v_b)((BOOL)w); return 0; }
AFX_DISPATCH(AfxSig_v_MINMAX) { AFX_CALL(v_MINMAX)((MINMAXINFO*)l); return 0; }
AFX_DISPATCH(AfxSig_v_POS) { AFX_CALL(v_POS)((WINDOWPOS*)l); return 0; }
AFX_DISPATCH(AfxSig_v_u_u_S)
{
    AFX_CALL(v_u_u_S)(LOWORD(w), HIWORD(w), ScrollBarOf(l));
    return 0;
}
// nID: the CTLCOLOR_ kind.
AFX_DISPATCH(AfxSig_h_D_W_u) { return (LRESULT)AFX_CALL(h_D_W_u)(DCOf(w), WndOf(l), nID); }
AFX_DISPATCH(AfxSig_v_i_DRAW)
{
    AFX_CALL(v_i_DRAW)((int)w, (LPDRAWITEMSTRUCT)l);
    return TRUE;
}
AFX_DISPATCH(AfxSig_v_i_MEASURE)
{
    AFX_CALL(v_i_MEASURE)((int)w, (LPMEASUREITEMSTRUCT)l);
    return TRUE;
}
AFX_DISPATCH(AfxSig_i_i_COMPARE)
{
    return AFX_CALL(i_i_COMPARE)((int)w, (LPCOMPAREITEMSTRUCT)l);
}
AFX_DISPATCH(AfxSig_v_i_DELETE)
{
    AFX_CALL(v_i_DELETE)((int)w, (LPDELETEITEMSTRUCT)l);
    return TRUE;
}
AFX_DISPATCH(AfxSig_v_M_u_b)
{
    AFX_CALL(v_M_u_b)(CMenu::FromHandle((HMENU)w), LOWORD(l), HIWORD(l));
    return 0;
}
AFX_DISPATCH(AfxSig_l_u_u_M)
{
    return AFX_CALL(l_u_u_M)(LOWORD(w), HIWORD(w), CMenu::FromHandle((HMENU)l));
}
AFX_DISPATCH(AfxSig_h_v) { return (LRESULT)AFX_CALL(h_v)(); }
AFX_DISPATCH(AfxSig_u_v) { return AFX_CALL(u_v)(); }
AFX_DISPATCH(AfxSig_v_W_p) { AFX_CALL(v_W_p)(WndOf(w), PointOf(l)); return 0; }
AFX_DISPATCH(AfxSig_v_u_W_b)
{
    AFX_CALL(v_u_W_b)(LOWORD(w), WndOf(l), HIWORD(w));
    return 0;
}
AFX_DISPATCH(AfxSig_v_b_dw) { AFX_CALL(v_b_dw)((BOOL)w, (DWORD)l); return 0; }
AFX_DISPATCH(AfxSig_l_w_l) { return AFX_CALL(l_w_l)(w, l); }

// Reflected to the control.
AFX_DISPATCH(AfxSig_h_D_u) { return (LRESULT)AFX_CALL(h_D_u)(DCOf(w), nID); }
AFX_DISPATCH(AfxSig_v_DRAW) { AFX_CALL(v_DRAW)((LPDRAWITEMSTRUCT)l); return TRUE; }
AFX_DISPATCH(AfxSig_v_MEASURE) { AFX_CALL(v_MEASURE)((LPMEASUREITEMSTRUCT)l); return TRUE; }
AFX_DISPATCH(AfxSig_v_u_u) { AFX_CALL(v_u_u)(LOWORD(w), HIWORD(w)); return 0; }

// Commands: TRUE when handled.
AFX_DISPATCH(AfxSigCmd_v) { AFX_CALL(v_v)(); return TRUE; }
AFX_DISPATCH(AfxSigCmd_b) { return AFX_CALL(b_v)(); }
AFX_DISPATCH(AfxSigCmd_b_u) { return AFX_CALL(b_u)(nID); }
AFX_DISPATCH(AfxSigCmd_v_u) { AFX_CALL(v_u)(nID); return TRUE; }
AFX_DISPATCH(AfxSigCmd_UI)
{
    CCmdUI* pCmdUI = (CCmdUI*)l;
    pCmdUI->m_bContinueRouting = FALSE;
    AFX_CALL(v_UI)(pCmdUI);
    return !pCmdUI->m_bContinueRouting;
}
AFX_DISPATCH(AfxSigNotify_v) { AFX_CALL(v_NM)((NMHDR*)l, (LRESULT*)w); return TRUE; }
AFX_DISPATCH(AfxSigNotify_b) { return AFX_CALL(b_NM)((NMHDR*)l, (LRESULT*)w); }
AFX_DISPATCH(AfxSigNotify_v_u) { AFX_CALL(v_u_NM)(nID, (NMHDR*)l, (LRESULT*)w); return TRUE; }
AFX_DISPATCH(AfxSigNotify_b_u) { return AFX_CALL(b_u_NM)(nID, (NMHDR*)l, (LRESULT*)w); }
