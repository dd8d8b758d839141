#include "CMediaBrowser.h"

#include "KitBitmap.h"
#include "ModulePaths.h"
#include "VelmoraResource.h"

#include <algorithm>

namespace {

// The name strip under a thumbnail.
const int kTextStripHeight = 32;
// Left-aligned text starts this far into the entry.
const int kLeftTextIndent = 72;
// Room the cell computation leaves besides the margins, spacing and arrows.
const int kCellSlack = 20;
const int kMinImageSize = 10;

// The fixed images in front of the thumbnails, their indices being the entry states.
const UINT kFixedImages[] = {IDB_ENTRY_NONE, IDB_ENTRY_FOLDER, IDB_ENTRY_WAITING, IDB_ENTRY_DRIVE};

FILETIME LastWriteTime(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return FILETIME{0, 0};
    return data.ftLastWriteTime;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMediaBrowser, CSuperListBox)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMediaBrowser::CMediaBrowser()
    : m_driveCount(0), m_folderCount(0), m_fileCount(0), m_sortMode(SORT_BY_NAME), m_types(".*."),
      m_imageSize{0, 0}
{
    m_columnSpacing = 8;
    m_rowSpacing = 8;
    m_alpha = 205;
    m_textColor = m_currentFocusTextColor = m_currentTextColor = RGB(0xFF, 0xFF, 0xE4);
    m_hoverTextColor = RGB(0xFF, 0xFF, 0xFF);
}

CMediaBrowser::~CMediaBrowser()
{
}

void CMediaBrowser::SetTypes(LPCTSTR types)
{
    m_types = types;
    if (m_hWnd)
        Refresh();
}

BOOL CMediaBrowser::PassesTypes(LPCTSTR name) const
{
    CString types = m_types;
    types.MakeLower();
    if (types.Find(".*.") >= 0)
        return TRUE;
    CString extension = SplitPath(name, 5);
    // A name without an extension has no type; ".." would otherwise find the empty type in
    // a list that holds a doubled dot.
    if (extension.IsEmpty())
        return FALSE;
    extension.MakeLower();
    return types.Find("." + extension + ".") >= 0;
}

void CMediaBrowser::SetEntries(const std::vector<Entry>& entries)
{
    ResetContent();
    m_states.clear();
    for (const Entry& entry : entries) {
        m_items.Add(entry.name);
        m_states.push_back(entry.state);
    }
    // The thumbnails of the last listing go; the fixed images stay.
    if (m_images.m_hImageList)
        m_images.SetImageCount(sizeof(kFixedImages) / sizeof(kFixedImages[0]));
}

void CMediaBrowser::ListDrives()
{
    std::vector<Entry> drives;
    const DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter)))
            continue;
        CString root;
        root.Format("%c:\\", 'A' + letter);
        if (GetDriveTypeA(root) != DRIVE_FIXED)
            continue;
        CString name;
        name.Format("%C:", 'A' + letter);
        drives.push_back(Entry{name, ENTRY_DRIVE});
    }
    m_folder.Empty();
    m_driveCount = (int)drives.size();
    m_folderCount = 0;
    m_fileCount = 0;
    SetEntries(drives);
}

BOOL CMediaBrowser::FillList(LPCTSTR folder)
{
    CString path = folder ? folder : "";
    path.TrimRight('\\');
    if (path.IsEmpty()) {
        ListDrives();
        return TRUE;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path + "\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    std::vector<Entry> folders;
    std::vector<Entry> files;
    do {
        const CString name = found.cFileName;
        if (name == "." || name == ".."
            || (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(Entry{name, ENTRY_WAITING});
        else if (PassesTypes(name))
            files.push_back(Entry{name, ENTRY_WAITING});
    } while (FindNextFileA(search, &found));
    FindClose(search);

    m_folder = path;
    m_driveCount = 0;
    m_folderCount = (int)folders.size();
    m_fileCount = (int)files.size();
    std::vector<Entry> entries;
    entries.push_back(Entry{"..", ENTRY_WAITING});
    entries.insert(entries.end(), folders.begin(), folders.end());
    entries.insert(entries.end(), files.begin(), files.end());
    SetEntries(entries);
    Sort(m_sortMode);
    return TRUE;
}

BOOL CMediaBrowser::Refresh()
{
    return FillList(m_folder);
}

CString CMediaBrowser::GetPath(int index) const
{
    if (index < 0 || index >= GetCount())
        return CString();
    if (IsDriveLevel())
        return m_items[index];
    return m_folder + "\\" + m_items[index];
}

int CMediaBrowser::GetEntryState(int index) const
{
    if (index < 0 || index >= (int)m_states.size())
        return ENTRY_FAILED;
    return m_states[index];
}

BOOL CMediaBrowser::IsFolderEntry(int index) const
{
    return !IsDriveLevel() && index >= 0 && index <= m_folderCount && index < GetCount();
}

void CMediaBrowser::Sort(int mode)
{
    m_sortMode = mode;
    if (IsDriveLevel() || GetCount() == 0)
        return;
    std::vector<Entry> entries;
    std::vector<FILETIME> times;
    for (int i = 0; i < GetCount(); ++i) {
        entries.push_back(Entry{m_items[i], m_states[i]});
        times.push_back(mode == SORT_BY_TIME ? LastWriteTime(GetPath(i)) : FILETIME{0, 0});
    }
    std::vector<int> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = (int)i;
    auto before = [&](int a, int b) {
        if (mode == SORT_BY_TIME)
            return CompareFileTime(&times[a], &times[b]) < 0;
        return entries[a].name.CompareNoCase(entries[b].name) < 0;
    };
    // ".." stays first; folders and files each sort among themselves.
    std::stable_sort(order.begin() + 1, order.begin() + 1 + m_folderCount, before);
    std::stable_sort(order.begin() + 1 + m_folderCount, order.end(), before);
    for (size_t i = 0; i < order.size(); ++i) {
        m_items[i] = entries[order[i]].name;
        m_states[i] = entries[order[i]].state;
    }
    Invalidate(FALSE);
}

void CMediaBrowser::OnItemActivate(int index)
{
    if (IsDriveLevel()) {
        FillList(GetPath(index));
    } else if (index == 0) {
        const int cut = m_folder.ReverseFind('\\');
        FillList(cut < 0 ? CString() : m_folder.Left(cut));
    } else if (IsFolderEntry(index)) {
        FillList(GetPath(index));
    } else {
        CSuperListBox::OnItemActivate(index);
    }
}

COLORREF CMediaBrowser::FrameColorOf(int index) const
{
    if (index == m_hover)
        return RGB(0xFF, 0, 0);
    if (index == m_current)
        return ::GetFocus() == m_hWnd ? RGB(0, 0xFF, 0) : RGB(0x19, 0x19, 0x19);
    return RGB(0x80, 0x80, 0x80);
}

int CMediaBrowser::ImageOf(int index) const
{
    const int state = GetEntryState(index);
    return state == ENTRY_FAILED ? 0 : state;
}

void CMediaBrowser::DrawItem(CDC* pDC, int index, const CRect& rect)
{
    if (m_images.m_hImageList && ImageOf(index) >= 0)
        m_images.Draw(pDC, ImageOf(index),
                      CPoint(rect.left + m_innerBorder, rect.top + m_innerBorder), ILD_TRANSPARENT);
    if (m_style & SLS_ITEM_FRAMES) {
        CBrush brush(FrameColorOf(index));
        CRect frame = rect;
        for (int i = 0; i < m_innerBorder; ++i) {
            pDC->FrameRect(&frame, &brush);
            frame.DeflateRect(1, 1);
        }
    }
    CRect text = rect;
    if (!(m_style & SLS_TEXT_WHOLE))
        text.top = std::max(rect.top, rect.bottom - kTextStripHeight);
    if (m_style & SLS_LEFT_TEXT)
        text.left += kLeftTextIndent;
    CFont* oldFont = pDC->SelectObject(&Font());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(TextColorOf(index));
    pDC->DrawText(m_items[index], &text,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX
                      | ((m_style & SLS_LEFT_TEXT) ? DT_LEFT : DT_CENTER));
    pDC->SelectObject(oldFont);
    SetTimer(kThumbnailTimer, 1, NULL);
}

void CMediaBrowser::OnSize(UINT nType, int cx, int cy)
{
    CSuperListBox::OnSize(nType, cx, cy);
    RebuildImageList(cx, cy);
    if (!FillList(m_folder)) {
        // The old entries stay; their thumbnails went with the old image list.
        for (int i = 0; i < (int)m_states.size(); ++i) {
            if (m_states[i] != ENTRY_DRIVE)
                m_states[i] = ENTRY_WAITING;
        }
    }
}

void CMediaBrowser::RebuildImageList(int cx, int cy)
{
    const int minCell = kMinImageSize + 2 * m_innerBorder;
    const int cellWidth = (cx - m_columnSpacing * (m_columns - 1) - m_margins.right - m_margins.left
                           - m_arrowGap - kCellSlack) / m_columns;
    const int cellHeight = (cy + m_arrowGap - m_rowSpacing * (m_rows - 1) - m_margins.bottom
                            - m_margins.top - kCellSlack) / m_rows;
    m_itemWidth = std::max(cellWidth, minCell);
    m_itemHeight = std::max(cellHeight, minCell);
    m_imageSize.cx = std::max(m_itemWidth - 2 * m_innerBorder, kMinImageSize);
    m_imageSize.cy = std::max(m_itemHeight - 2 * m_innerBorder, kMinImageSize);

    m_images.DeleteImageList();
    if (!m_images.Create(m_imageSize.cx, m_imageSize.cy, ILC_COLOR24 | ILC_MASK, 4, 10))
        return;
    m_images.SetBkColor(m_transparentColor);
    for (UINT id : kFixedImages)
        AddFixedImage(id);
}

BOOL CMediaBrowser::AddFixedImage(UINT bitmapId)
{
    HBITMAP art = LoadKitBitmap(bitmapId);
    const SIZE artSize = KitBitmapSize(art);
    HDC screen = ::GetDC(NULL);
    HDC source = CreateCompatibleDC(screen);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, m_imageSize.cx, m_imageSize.cy);
    HGDIOBJ oldTarget = SelectObject(target, image);
    // A missing bitmap leaves a wholly transparent image, so the indices stay in place.
    HBRUSH transparent = CreateSolidBrush(m_transparentColor);
    RECT all = {0, 0, m_imageSize.cx, m_imageSize.cy};
    FillRect(target, &all, transparent);
    DeleteObject(transparent);
    if (art) {
        HGDIOBJ oldSource = SelectObject(source, art);
        StretchBlt(target, 0, 0, m_imageSize.cx, m_imageSize.cy, source, 0, 0, artSize.cx,
                   artSize.cy, SRCCOPY);
        SelectObject(source, oldSource);
    }
    SelectObject(target, oldTarget);
    const int index = ImageList_AddMasked(m_images.m_hImageList, image, m_transparentColor);
    DeleteObject(image);
    DeleteDC(target);
    DeleteDC(source);
    ::ReleaseDC(NULL, screen);
    if (art)
        DeleteObject(art);
    return index >= 0;
}

BOOL CMediaBrowser::NeedsThumbnail(int index) const
{
    return GetEntryState(index) == ENTRY_WAITING;
}

BOOL CMediaBrowser::LoadThumbnailPicture(int index, CPictureFile& picture)
{
    return picture.LoadPictureFile(GetPath(index));
}

int CMediaBrowser::AddThumbnail(CPictureFile& picture)
{
    const int width = m_imageSize.cx;
    const int height = m_imageSize.cy;
    HDC screen = ::GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, image);
    CDC* dc = CDC::FromHandle(memory);
    dc->FillSolidRect(0, 0, width, height, GetSysColor(COLOR_BTNFACE));
    dc->Draw3dRect(0, 0, width, height, RGB(0xFF, 0xFF, 0xFF), RGB(0, 0, 0));

    // Inside the frame: a larger picture shrinks to fit, keeping its proportions.
    const int areaWidth = width - 2;
    const int areaHeight = height - 2;
    const CSize size = picture.GetSize();
    int drawWidth = size.cx;
    int drawHeight = size.cy;
    if (size.cx > areaWidth || size.cy > areaHeight) {
        if ((double)size.cx / areaWidth >= (double)size.cy / areaHeight) {
            drawWidth = areaWidth;
            drawHeight = std::max(1, MulDiv(size.cy, areaWidth, size.cx));
        } else {
            drawHeight = areaHeight;
            drawWidth = std::max(1, MulDiv(size.cx, areaHeight, size.cy));
        }
    }
    picture.Draw(dc, 1 + (areaWidth - drawWidth) / 2, 1 + (areaHeight - drawHeight) / 2, drawWidth,
                 drawHeight);
    SelectObject(memory, old);
    const int index = ImageList_AddMasked(m_images.m_hImageList, image, m_transparentColor);
    DeleteObject(image);
    DeleteDC(memory);
    ::ReleaseDC(NULL, screen);
    return index;
}

void CMediaBrowser::BuildThumbnail(int index)
{
    if (IsFolderEntry(index)) {
        m_states[index] = ENTRY_FOLDER;
        return;
    }
    CPictureFile picture;
    int state = ENTRY_FAILED;
    if (m_images.m_hImageList && LoadThumbnailPicture(index, picture)) {
        const int image = AddThumbnail(picture);
        if (image >= 0)
            state = image;
    }
    m_states[index] = state;
}

void CMediaBrowser::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kThumbnailTimer) {
        CSuperListBox::OnTimer(nIDEvent);
        return;
    }
    if (!IsWindowVisible()) {
        KillTimer(kThumbnailTimer);
        return;
    }
    const int last = std::min(m_first + m_rows * m_columns, GetCount());
    int index = m_first;
    while (index < last && !NeedsThumbnail(index))
        ++index;
    if (index < last) {
        BuildThumbnail(index);
        const CRect item = GetItemRect(index);
        ::InvalidateRect(m_hWnd, &item, FALSE);
    }
    if (index + 1 >= last)
        KillTimer(kThumbnailTimer);
}

void CMediaBrowser::OnDestroy()
{
    KillTimer(kThumbnailTimer);
    CSuperListBox::OnDestroy();
}
