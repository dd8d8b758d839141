// CNewMenuIcons: a shared store of menu icons filled from a toolbar, in a resource or described
// in memory. Each icon takes three images of the store's image list: the icon, a darkened copy
// (an enabled item at rest in the flat look) and a faded copy (a disabled item).
//
// Stores are counted by the item records that use them and kept in one process-wide list,
// through which a menu finds the store it needs before making a new one; the last Release takes
// a store off the list and deletes it.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CNewMenuBitmaps;

class CNewMenuIcons : public CObject {
    DECLARE_DYNCREATE(CNewMenuIcons)
public:
    CNewMenuIcons();
    ~CNewMenuIcons() override;

    // Both accept NULL through the pointer.
    void AddRef();
    void Release();
    int GetRefCount() const { return m_dwRefCount; }

    // The first image of the command's icon (position x 3), or -1.
    virtual int IndexOf(UINT nID) const;
    // Rebuilds the images from their source, after the system colours changed.
    virtual void RefreshImages();
    // data: bitmap id, button width, button height, then command ids ended by 0.
    virtual BOOL LoadToolbarData(const WORD* pData, COLORREF crTransparent);
    // A toolbar resource (RT_TOOLBAR) and the bitmap of the same name; hInst NULL: the module
    // that holds it. TRUE when it gave at least one command.
    virtual BOOL LoadToolbarResource(LPCTSTR lpszResourceName, HINSTANCE hInst);
    virtual BOOL Matches(const WORD* pData, COLORREF crTransparent) const;
    virtual BOOL Matches(LPCTSTR lpszResourceName, HINSTANCE hInst) const;
    // The bitmap cut into cx x cy icons, in place of the list; FALSE when it is missing.
    virtual BOOL LoadImages(int cx, int cy, LPCTSTR lpszResourceName, HINSTANCE hInst);
    // Appended (nIndex -1) or in place of image nIndex, with the icon's mask; the image's index
    // or -1.
    virtual int AddDarkenedImage(HICON hIcon, int nIndex);
    virtual int AddFadedImage(HICON hIcon, int nIndex);
    // Turns a list of one image per icon into the three images of each.
    virtual void MakeDerivedImages();

    CImageList* GetImageList() { return &m_IconsList; }
    int GetIconCount() const { return m_IDs.GetSize(); }
    UINT GetCommandAt(int nPosition) const { return m_IDs[nPosition]; }
    int GetColorCount() const { return m_nColors; }
    COLORREF GetTransparentColor() const { return m_crTransparent; }
    void SetTransparentColor(COLORREF cr) { m_crTransparent = cr; }

    // The process-wide list of stores (CNewMenuIcons*), made on first use.
    static CPtrList& GetIconsList();
    // The stores a menu gets its icons from; each makes and lists a new store when no listed
    // one serves. The toolbar forms give the store, NULL when it cannot be loaded.
    static CNewMenuIcons* GetToolbarIcons(LPCTSTR lpszResourceName, HINSTANCE hInst,
                                          COLORREF crTransparent);
    static CNewMenuIcons* GetToolbarIcons(const WORD* pData, COLORREF crTransparent);
    // The other forms also give the icon's first image in *pIndex (-1 when none).
    // nBitmap: a bitmap resource id, or with bIconHandle an icon handle.
    static CNewMenuBitmaps* GetBitmapIcons(UINT_PTR nBitmap, BOOL bIconHandle,
                                           COLORREF crTransparent, int* pIndex);
    static CNewMenuBitmaps* GetImageListIcons(HIMAGELIST hImageList, int nImage, UINT nID,
                                              int* pIndex);
    static CNewMenuBitmaps* GetBitmapIcons(CBitmap* pBitmap, COLORREF crTransparent, int* pIndex);
    // The button image of a command in a toolbar resource (the number of commands before it,
    // separators not counted), -1 when the toolbar lacks it.
    static int ToolbarImageIndex(LPCTSTR lpszResourceName, HINSTANCE hInst, UINT nID);

protected:
    // A bitmap resource, in the system's button colours when it has 16 colours; *pColors its
    // colour count. NULL when it is missing.
    HBITMAP LoadBitmapResource(LPCTSTR lpszResourceName, HINSTANCE hInst, int* pColors) const;
    void SetResourceName(LPCTSTR lpszResourceName);
    // Adds or replaces the pair in the list.
    int PutImage(HBITMAP hColor, HBITMAP hMask, int nIndex);
    // Each colour pixel of the icon that is not transparent, through the function.
    int AddTransformedImage(HICON hIcon, int nIndex, COLORREF (*pfnTransform)(COLORREF));

    LPCTSTR m_lpszResourceName;  // an integer id below 0x10000, else a string copy of ours
    HINSTANCE m_hInstance;
    int m_nColors;
    COLORREF m_crTransparent;
    CImageList m_IconsList;
    CDWordArray m_IDs;           // a command id per icon, in image order
    int m_dwRefCount;
};
