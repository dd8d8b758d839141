// CMenuStyle: a draw style of the owner-drawn menus. Each style measures and draws every item
// of a CNewMenu and its title separators; the classic family (3-D items) is this class, the flat
// family (light items, a darker icon column, a framed selection) is CMenuStyleFlat.
//
// Six styles are registered under the ids 0 to 5 on first use; style 2 is current until
// CNewMenu::SetCurrentStyle picks another. Every colour is read from GetSysColor when drawing,
// so the menus follow the user's scheme.
#pragma once

#include <afxwin.h>

class CNewMenu;
class CNewMenuItemData;
struct MenuWindowRecord;

class CMenuStyle {
public:
    typedef void (CMenuStyle::*MeasureOperation)(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar);
    typedef void (CMenuStyle::*DrawOperation)(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar);

    // Flags.
    enum { kOwnBorder = 0x01 };

    CMenuStyle(int nId, DWORD dwFlags, MeasureOperation pMeasure, DrawOperation pDraw);
    virtual ~CMenuStyle();

    int GetId() const { return m_nId; }
    BOOL DrawsOwnBorder() const { return (m_dwFlags & kOwnBorder) != 0; }
    // The popup border widths (left, top, right, bottom): 2 all round when the system draws
    // drop shadows, else wider right and bottom for the style's own shadow.
    CRect GetBorders() const;

    void MeasureItem(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar) { (this->*m_pMeasure)(pMenu, lpMIS, bBar); }
    void DrawItem(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar) { (this->*m_pDraw)(pMenu, lpDIS, bBar); }
    // A title separator, for every style alike.
    void DrawTitle(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar);

    // The measures of the two families: popup icons add 4 (classic) or 8 (flat) to the height.
    void MeasureClassic(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar);
    void MeasureFlat(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar);
    void DrawClassic(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
    // Classic popups with flat menu-bar items.
    void DrawClassicFlatBar(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar);

    // The popup windows (CNewMenuHook): a style that draws its own border changes the
    // window's styles when it is caught and puts them back when it goes.
    virtual BOOL AttachWindow(HWND hWnd, MenuWindowRecord* pRecord);
    virtual void DetachWindow(HWND hWnd, MenuWindowRecord* pRecord);
    // TRUE when it drew (the style draws its own border).
    virtual BOOL PaintBorder(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord);
    virtual BOOL PaintBackground(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord);
    // The client rectangle inside the style's border; FALSE: the system still takes its own.
    virtual BOOL AdjustClientArea(LPRECT lpRect);
    virtual void AdjustWindowSize(WINDOWPOS* pPos);
    // In screen coordinates: the window without its shadow.
    virtual void GetFrameRect(HWND hWnd, LPRECT lpRect);
    static BOOL SystemDrawsShadow();

    // The registered styles.
    static CMenuStyle* FindStyle(int nId);
    static CMenuStyle* GetCurrent();
    // FALSE, and no change, when no registered style has the id.
    static BOOL SetCurrent(int nId);
    // A style with an id already registered is refused (FALSE) and stays the caller's.
    static BOOL RegisterStyle(CMenuStyle* pStyle);
    // At shut-down: no style is current afterwards.
    static void DeleteStyles();

    // Colours.
    static COLORREF MenuColor();
    // The item area, the icon column and the selection of the flat look.
    static COLORREF LightColor();
    static COLORREF IconColumnColor();
    static COLORREF SelectionColor();
    // Colour arithmetic on the three channels (MulDiv).
    static COLORREF Mix86(COLORREF a, COLORREF b);
    static COLORREF Mix70(COLORREF a, COLORREF b);
    static COLORREF Darken(int nAmount, COLORREF cr);
    static COLORREF Lighten(int nAmount, COLORREF cr);
    static COLORREF Grey(COLORREF cr);
    static COLORREF Shade(COLORREF cr);

    // From colour a at the left (top) to b at the right (bottom): through GradientFill when
    // Msimg32.dll gives it, else in bands of 4 pixels.
    static void DrawGradient(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorizontal);
    typedef BOOL(WINAPI* GradientFillFunction)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    static GradientFillFunction GetGradientFill();
    // NULL makes titles use the band fill.
    static void SetGradientFill(GradientFillFunction pfn);

protected:
    // Height of a popup item with an icon beyond the icon itself.
    void Measure(CNewMenu* pMenu, LPMEASUREITEMSTRUCT lpMIS, BOOL bBar, int nIconMargin);
    // Width and height of one item's text in the menu font.
    CSize MeasureText(CNewMenu* pMenu, CNewMenuItemData* pData, BOOL bBar, BOOL bBold);
    void MeasureTitle(CNewMenuItemData* pData, LPMEASUREITEMSTRUCT lpMIS);

    // The menu font of the system, bold on request.
    static BOOL GetMenuFont(CFont* pFont, BOOL bBold);
    // The keyboard cue: a grayed, selected item loses its selection when disabled items are not
    // to be selected; TRUE when it is then to carry a focus mark (keyboard use).
    static BOOL DropDisabledSelection(LPDRAWITEMSTRUCT lpDIS, UINT* pState);
    // The item's text split at the tabs: before the first and after the last.
    static void SplitText(const CString& text, CString* pMain, CString* pAccelerator);
    static void DrawCheckGlyph(CDC* pDC, CRect box, CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS);
    // Minimize, maximize, restore, close: TRUE when the command has a glyph.
    static BOOL DrawSystemGlyph(CDC* pDC, CRect box, UINT nCommand, COLORREF crText,
                                BOOL bRaised, BOOL bSelected);
    static BOOL IsSystemCommand(UINT_PTR nID);
    static void DrawMarlett(CDC* pDC, LPCRECT lpRect, LPCSTR lpszGlyph, COLORREF crText, BOOL bBold);
    // An icon of the item's store, or NULL: the caller destroys it.
    static HICON ExtractItemIcon(CNewMenuItemData* pData, int nOffset);

    // The window's picture, its size and its client rectangle in window coordinates; right
    // and bottom of the bordered part (the shadow lies beyond).
    struct WindowFrame {
        int cx, cy;
        CRect client;
        int right, bottom;
    };
    static WindowFrame GetWindowFrame(HWND hWnd);
    // The band between the rectangle and the client area.
    static void FillBand(HDC hDC, const CRect& outer, const CRect& client, COLORREF cr);
    static void FrameOf(HDC hDC, const CRect& rect, COLORREF cr);
    // The screen beneath the window, darkened, in its last four columns and rows.
    static void DrawShadow(HWND hWnd, HDC hDC, MenuWindowRecord* pRecord);

private:
    void DrawClassicItem(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
    void DrawClassicIcon(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, LPDRAWITEMSTRUCT lpDIS,
                         const CRect& iconBox, UINT nState);
    void DrawClassicText(CDC* pDC, CNewMenu* pMenu, CNewMenuItemData* pData, CRect rect,
                         UINT nState, BOOL bBar, COLORREF crBack);
    void DrawFlatBarItem(CNewMenu* pMenu, LPDRAWITEMSTRUCT lpDIS);

    int m_nId;
    DWORD m_dwFlags;
    MeasureOperation m_pMeasure;
    DrawOperation m_pDraw;
};
