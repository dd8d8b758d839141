// The ON_ macros of message maps (see CCmdTarget.h) and the dispatch functions behind them.
//
// Each macro names the handler its message has always had (ON_WM_SIZE: OnSize) and requires
// that handler's exact signature; a handler of another shape fails to compile. Handlers are
// written afx_msg. Window handles in a message reach a handler as objects (CWnd::FromHandle:
// permanent, else temporary until the loop goes idle); a scroll message's lParam that is no
// window reaches it unchanged, as the CScrollBar* a sender put there.
#pragma once

#include "CCmdTarget.h"

#define afx_msg

class CDC;
class CMenu;
class CPoint;
class CScrollBar;
class CWnd;

// The handler shapes, as the map stores them (member functions of CCmdTarget).
typedef void (CCmdTarget::*AFX_PMSG_v_v)();
typedef int (CCmdTarget::*AFX_PMSG_i_CREATE)(LPCREATESTRUCT);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_D)(CDC*);
typedef void (CCmdTarget::*AFX_PMSG_v_TIMER)(UINT_PTR);
typedef void (CCmdTarget::*AFX_PMSG_v_u_i_i)(UINT, int, int);
typedef void (CCmdTarget::*AFX_PMSG_v_u_pr)(UINT, LPRECT);
typedef void (CCmdTarget::*AFX_PMSG_v_i_i)(int, int);
typedef void (CCmdTarget::*AFX_PMSG_v_b_u)(BOOL, UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_u_p)(UINT, CPoint);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_u_s_p)(UINT, short, CPoint);
typedef int (CCmdTarget::*AFX_PMSG_i_W_u_u)(CWnd*, UINT, UINT);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_W_u_u)(CWnd*, UINT, UINT);
typedef LRESULT (CCmdTarget::*AFX_PMSG_l_p)(CPoint);
typedef void (CCmdTarget::*AFX_PMSG_v_b_NCCALC)(BOOL, NCCALCSIZE_PARAMS*);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_b)(BOOL);
typedef void (CCmdTarget::*AFX_PMSG_v_u_u_u)(UINT, UINT, UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_u_l)(UINT, LPARAM);
typedef void (CCmdTarget::*AFX_PMSG_v_W)(CWnd*);
typedef void (CCmdTarget::*AFX_PMSG_v_b)(BOOL);
typedef void (CCmdTarget::*AFX_PMSG_v_MINMAX)(MINMAXINFO*);
typedef void (CCmdTarget::*AFX_PMSG_v_POS)(WINDOWPOS*);
typedef void (CCmdTarget::*AFX_PMSG_v_u_u_S)(UINT, UINT, CScrollBar*);
typedef HBRUSH (CCmdTarget::*AFX_PMSG_h_D_W_u)(CDC*, CWnd*, UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_i_DRAW)(int, LPDRAWITEMSTRUCT);
typedef void (CCmdTarget::*AFX_PMSG_v_i_MEASURE)(int, LPMEASUREITEMSTRUCT);
typedef int (CCmdTarget::*AFX_PMSG_i_i_COMPARE)(int, LPCOMPAREITEMSTRUCT);
typedef void (CCmdTarget::*AFX_PMSG_v_i_DELETE)(int, LPDELETEITEMSTRUCT);
typedef void (CCmdTarget::*AFX_PMSG_v_M_u_b)(CMenu*, UINT, BOOL);
typedef LRESULT (CCmdTarget::*AFX_PMSG_l_u_u_M)(UINT, UINT, CMenu*);
typedef HCURSOR (CCmdTarget::*AFX_PMSG_h_v)();
typedef UINT (CCmdTarget::*AFX_PMSG_u_v)();
typedef void (CCmdTarget::*AFX_PMSG_v_W_p)(CWnd*, CPoint);
typedef void (CCmdTarget::*AFX_PMSG_v_u_W_b)(UINT, CWnd*, BOOL);
typedef void (CCmdTarget::*AFX_PMSG_v_b_dw)(BOOL, DWORD);
typedef LRESULT (CCmdTarget::*AFX_PMSG_l_w_l)(WPARAM, LPARAM);
// Reflected to the control's own object.
typedef HBRUSH (CCmdTarget::*AFX_PMSG_h_D_u)(CDC*, UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_DRAW)(LPDRAWITEMSTRUCT);
typedef void (CCmdTarget::*AFX_PMSG_v_MEASURE)(LPMEASUREITEMSTRUCT);
typedef void (CCmdTarget::*AFX_PMSG_v_u_u)(UINT, UINT);
// Commands and notifications.
typedef BOOL (CCmdTarget::*AFX_PMSG_b_v)();
typedef BOOL (CCmdTarget::*AFX_PMSG_b_u)(UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_u)(UINT);
typedef void (CCmdTarget::*AFX_PMSG_v_UI)(CCmdUI*);
typedef void (CCmdTarget::*AFX_PMSG_v_NM)(NMHDR*, LRESULT*);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_NM)(NMHDR*, LRESULT*);
typedef void (CCmdTarget::*AFX_PMSG_v_u_NM)(UINT, NMHDR*, LRESULT*);
typedef BOOL (CCmdTarget::*AFX_PMSG_b_u_NM)(UINT, NMHDR*, LRESULT*);

// One dispatch function per way of unpacking a message (CWnd_Dispatch.cpp). Window messages
// pass wParam and lParam; commands pass nID, and for CN_UPDATE_COMMAND_UI the CCmdUI* as
// lParam; notifications the LRESULT* as wParam and the NMHDR* as lParam. A command's dispatch
// answers whether it was handled.
#define AFX_DECLARE_DISPATCH(name) \
    LRESULT AFXAPI name(CCmdTarget* pTarget, AFX_PMSG pfn, UINT nID, WPARAM wParam, LPARAM lParam);
AFX_DECLARE_DISPATCH(AfxSig_v_v)
AFX_DECLARE_DISPATCH(AfxSig_i_CREATE)
AFX_DECLARE_DISPATCH(AfxSig_b_D)
AFX_DECLARE_DISPATCH(AfxSig_v_TIMER)
AFX_DECLARE_DISPATCH(AfxSig_v_u_i_i)
AFX_DECLARE_DISPATCH(AfxSig_v_u_pr)
AFX_DECLARE_DISPATCH(AfxSig_v_i_i)
AFX_DECLARE_DISPATCH(AfxSig_v_b_u)
AFX_DECLARE_DISPATCH(AfxSig_v_u_p)
AFX_DECLARE_DISPATCH(AfxSig_b_u_s_p)
AFX_DECLARE_DISPATCH(AfxSig_i_W_u_u)
AFX_DECLARE_DISPATCH(AfxSig_b_W_u_u)
AFX_DECLARE_DISPATCH(AfxSig_l_p)
AFX_DECLARE_DISPATCH(AfxSig_v_b_NCCALC)
AFX_DECLARE_DISPATCH(AfxSig_b_b)
AFX_DECLARE_DISPATCH(AfxSig_v_u_u_u)
AFX_DECLARE_DISPATCH(AfxSig_v_u_l)
AFX_DECLARE_DISPATCH(AfxSig_v_W)
AFX_DECLARE_DISPATCH(AfxSig_v_b)
AFX_DECLARE_DISPATCH(AfxSig_v_MINMAX)
AFX_DECLARE_DISPATCH(AfxSig_v_POS)
AFX_DECLARE_DISPATCH(AfxSig_v_u_u_S)
AFX_DECLARE_DISPATCH(AfxSig_h_D_W_u)
AFX_DECLARE_DISPATCH(AfxSig_v_i_DRAW)
AFX_DECLARE_DISPATCH(AfxSig_v_i_MEASURE)
AFX_DECLARE_DISPATCH(AfxSig_i_i_COMPARE)
AFX_DECLARE_DISPATCH(AfxSig_v_i_DELETE)
AFX_DECLARE_DISPATCH(AfxSig_v_M_u_b)
AFX_DECLARE_DISPATCH(AfxSig_l_u_u_M)
AFX_DECLARE_DISPATCH(AfxSig_h_v)
AFX_DECLARE_DISPATCH(AfxSig_u_v)
AFX_DECLARE_DISPATCH(AfxSig_v_W_p)
AFX_DECLARE_DISPATCH(AfxSig_v_u_W_b)
AFX_DECLARE_DISPATCH(AfxSig_v_b_dw)
AFX_DECLARE_DISPATCH(AfxSig_l_w_l)
AFX_DECLARE_DISPATCH(AfxSig_h_D_u)
AFX_DECLARE_DISPATCH(AfxSig_v_DRAW)
AFX_DECLARE_DISPATCH(AfxSig_v_MEASURE)
AFX_DECLARE_DISPATCH(AfxSig_v_u_u)
AFX_DECLARE_DISPATCH(AfxSigCmd_v)
AFX_DECLARE_DISPATCH(AfxSigCmd_b)
AFX_DECLARE_DISPATCH(AfxSigCmd_b_u)
AFX_DECLARE_DISPATCH(AfxSigCmd_v_u)
AFX_DECLARE_DISPATCH(AfxSigCmd_UI)
AFX_DECLARE_DISPATCH(AfxSigNotify_v)
AFX_DECLARE_DISPATCH(AfxSigNotify_b)
AFX_DECLARE_DISPATCH(AfxSigNotify_v_u)
AFX_DECLARE_DISPATCH(AfxSigNotify_b_u)
#undef AFX_DECLARE_DISPATCH

// A handler of any signature stored as AFX_PMSG. Its dispatch function casts it back to the
// signature its macro checked, so the cast between member types is sound by construction.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <class Fn>
inline AFX_PMSG AfxStoredHandler(Fn fn)
{
    return reinterpret_cast<AFX_PMSG>(fn);
}
#pragma GCC diagnostic pop

// The handler as its entry stores it, after the check of its signature.
#define AFX_MSG_FN(shape, memberFxn) AfxStoredHandler(static_cast<AFX_PMSG_##shape>(memberFxn))
#define AFX_MSG_ENTRY(message, shape, memberFxn) \
    {message, 0, 0, 0, AfxSig_##shape, AFX_MSG_FN(shape, &ThisClass::memberFxn)},

// Reflected messages carry this offset when they reach the control's own map.
#define WM_REFLECT_BASE 0xBC00
// The entry every WM_CTLCOLOR* message is looked up under.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Window messages.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, i_CREATE, OnCreate)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, v_v, OnDestroy)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, v_v, OnNcDestroy)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, v_v, OnClose)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, v_v, OnPaint)
#define ON_WM_NCPAINT() AFX_MSG_ENTRY(WM_NCPAINT, v_v, OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, b_D, OnEraseBkgnd)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, v_TIMER, OnTimer)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, v_u_i_i, OnSize)
#define ON_WM_SIZING() AFX_MSG_ENTRY(WM_SIZING, v_u_pr, OnSizing)
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, v_i_i, OnMove)
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, v_b_u, OnShowWindow)
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, v_u_p, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, v_u_p, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, v_u_p, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, v_u_p, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MSG_ENTRY(WM_RBUTTONDOWN, v_u_p, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MSG_ENTRY(WM_RBUTTONUP, v_u_p, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MSG_ENTRY(WM_RBUTTONDBLCLK, v_u_p, OnRButtonDblClk)
#define ON_WM_MOUSEWHEEL() AFX_MSG_ENTRY(WM_MOUSEWHEEL, b_u_s_p, OnMouseWheel)
#define ON_WM_MOUSELEAVE() AFX_MSG_ENTRY(WM_MOUSELEAVE, v_v, OnMouseLeave)
#define ON_WM_MOUSEACTIVATE() AFX_MSG_ENTRY(WM_MOUSEACTIVATE, i_W_u_u, OnMouseActivate)
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, b_W_u_u, OnSetCursor)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, l_p, OnNcHitTest)
#define ON_WM_NCMOUSEMOVE() AFX_MSG_ENTRY(WM_NCMOUSEMOVE, v_u_p, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MSG_ENTRY(WM_NCLBUTTONDOWN, v_u_p, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MSG_ENTRY(WM_NCLBUTTONUP, v_u_p, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MSG_ENTRY(WM_NCLBUTTONDBLCLK, v_u_p, OnNcLButtonDblClk)
#define ON_WM_NCCALCSIZE() AFX_MSG_ENTRY(WM_NCCALCSIZE, v_b_NCCALC, OnNcCalcSize)
#define ON_WM_NCACTIVATE() AFX_MSG_ENTRY(WM_NCACTIVATE, b_b, OnNcActivate)
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, v_u_u_u, OnKeyDown)
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, v_u_u_u, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_MSG_ENTRY(WM_SYSKEYDOWN, v_u_u_u, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_MSG_ENTRY(WM_SYSKEYUP, v_u_u_u, OnSysKeyUp)
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, v_u_u_u, OnChar)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, v_u_l, OnSysCommand)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, v_W, OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, v_W, OnKillFocus)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, v_b, OnEnable)
#define ON_WM_GETMINMAXINFO() AFX_MSG_ENTRY(WM_GETMINMAXINFO, v_MINMAX, OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, v_POS, OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, v_POS, OnWindowPosChanged)
#define ON_WM_HSCROLL() AFX_MSG_ENTRY(WM_HSCROLL, v_u_u_S, OnHScroll)
#define ON_WM_VSCROLL() AFX_MSG_ENTRY(WM_VSCROLL, v_u_u_S, OnVScroll)
#define ON_WM_CTLCOLOR() AFX_MSG_ENTRY(WM_CTLCOLOR, h_D_W_u, OnCtlColor)
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, v_i_DRAW, OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, v_i_MEASURE, OnMeasureItem)
#define ON_WM_COMPAREITEM() AFX_MSG_ENTRY(WM_COMPAREITEM, i_i_COMPARE, OnCompareItem)
#define ON_WM_DELETEITEM() AFX_MSG_ENTRY(WM_DELETEITEM, v_i_DELETE, OnDeleteItem)
#define ON_WM_INITMENUPOPUP() AFX_MSG_ENTRY(WM_INITMENUPOPUP, v_M_u_b, OnInitMenuPopup)
#define ON_WM_MENUCHAR() AFX_MSG_ENTRY(WM_MENUCHAR, l_u_u_M, OnMenuChar)
#define ON_WM_ENTERMENULOOP() AFX_MSG_ENTRY(WM_ENTERMENULOOP, v_b, OnEnterMenuLoop)
#define ON_WM_EXITMENULOOP() AFX_MSG_ENTRY(WM_EXITMENULOOP, v_b, OnExitMenuLoop)
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, v_v, OnSysColorChange)
#define ON_WM_QUERYDRAGICON() AFX_MSG_ENTRY(WM_QUERYDRAGICON, h_v, OnQueryDragIcon)
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, u_v, OnGetDlgCode)
#define ON_WM_CONTEXTMENU() AFX_MSG_ENTRY(WM_CONTEXTMENU, v_W_p, OnContextMenu)
#define ON_WM_ACTIVATE() AFX_MSG_ENTRY(WM_ACTIVATE, v_u_W_b, OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_MSG_ENTRY(WM_ACTIVATEAPP, v_b_dw, OnActivateApp)
#define ON_WM_CANCELMODE() AFX_MSG_ENTRY(WM_CANCELMODE, v_v, OnCancelMode)

#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig_l_w_l, AFX_MSG_FN(l_w_l, &ThisClass::memberFxn)},

// Messages a parent reflects to the control that sent them.
#define ON_WM_CTLCOLOR_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, h_D_u, CtlColor)
#define ON_WM_DRAWITEM_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, v_DRAW, DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, v_MEASURE, MeasureItem)
#define ON_WM_HSCROLL_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_HSCROLL, v_u_u, HScroll)
#define ON_WM_VSCROLL_REFLECT() AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_VSCROLL, v_u_u, VScroll)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, AfxSigCmd_v, \
     AFX_MSG_FN(v_v, &ThisClass::memberFxn)},
// The handler answers FALSE to let the parent handle the notification too.
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, AfxSigCmd_b, \
     AFX_MSG_FN(b_v, &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, AfxSigNotify_v, \
     AFX_MSG_FN(v_NM, &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, AfxSigNotify_b, \
     AFX_MSG_FN(b_NM, &ThisClass::memberFxn)},

// Commands: menus, accelerators and control notifications (a click is CN_COMMAND).
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSigCmd_v, \
     AFX_MSG_FN(v_v, &ThisClass::memberFxn)},
// The handler gets the id and answers whether it handled the command.
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSigCmd_b_u, \
     AFX_MSG_FN(b_u, &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSigCmd_v_u, \
     AFX_MSG_FN(v_u, &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSigCmd_UI, \
     AFX_MSG_FN(v_UI, &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxSigCmd_UI, \
     AFX_MSG_FN(v_UI, &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSigCmd_v, \
     AFX_MSG_FN(v_v, &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSigCmd_v_u, \
     AFX_MSG_FN(v_u, &ThisClass::memberFxn)},

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSigNotify_v, \
     AFX_MSG_FN(v_NM, &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSigNotify_v_u, \
     AFX_MSG_FN(v_u_NM, &ThisClass::memberFxn)},
// The handler answers whether it handled the notification.
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSigNotify_b_u, \
     AFX_MSG_FN(b_u_NM, &ThisClass::memberFxn)},

// Control notifications by control.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn) ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn) ON_CONTROL(STN_DISABLE, id, memberFxn)
