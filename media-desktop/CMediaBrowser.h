#pragma once

#include "CPictureFile.h"
#include "CSuperListBox.h"
#include "afxcmn.h"

#include <vector>

// The picture page's browser: drives, then a folder's sub-folders and the files its type list
// lets through, each entry drawn as its thumbnail (the picture itself) with its name below.
// Thumbnails are made one entry per tick of a timer while the entries are shown. Activating a
// drive or folder lists it; a file is reported to the parent (WM_KIT_ACTIVATE).
class CMediaBrowser : public CSuperListBox
{
public:
    // Entry states; 0 or more is the image-list index of the entry's thumbnail.
    enum {
        ENTRY_FAILED = -2,
        ENTRY_FOLDER = 1,
        ENTRY_WAITING = 2,
        ENTRY_DRIVE = 3,
    };
    enum SortMode { SORT_BY_NAME = 0, SORT_BY_TIME = 1 };
    static const UINT_PTR kThumbnailTimer = 2001;

    CMediaBrowser();
    ~CMediaBrowser() override;

    // An empty folder is the drive level. FALSE when the folder could not be listed: the list
    // stays as it was.
    BOOL FillList(LPCTSTR folder);
    // A run of extensions each with its dot, ending with a dot (".jpg.bmp."); ".*." lets every
    // file through. A listed folder is listed again with it.
    void SetTypes(LPCTSTR types);
    const CString& GetTypes() const { return m_types; }
    void Sort(int mode);
    int GetSortMode() const { return m_sortMode; }
    BOOL Refresh();
    // The entry's full path: a drive "C:", else the folder and the name.
    CString GetPath(int index) const;
    const CString& GetFolder() const { return m_folder; }
    BOOL IsDriveLevel() const { return m_folder.IsEmpty(); }
    int GetEntryState(int index) const;
    // Entries that are folders: the parent entry ".." and the sub-folders (drives are not).
    BOOL IsFolderEntry(int index) const;
    CImageList& GetImageList() { return m_images; }
    // Whether the type list lets a file of that name through.
    BOOL PassesTypes(LPCTSTR name) const;

protected:
    // The picture an entry's thumbnail is made of; FALSE when there is none.
    virtual BOOL LoadThumbnailPicture(int index, CPictureFile& picture);
    // Whether the entry still waits for its thumbnail.
    virtual BOOL NeedsThumbnail(int index) const;
    void OnItemActivate(int index) override;
    void DrawItem(CDC* pDC, int index, const CRect& rect) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Colour of an item's frame.
    COLORREF FrameColorOf(int index) const;

private:
    struct Entry
    {
        CString name;
        int state;
    };

    void ListDrives();
    void SetEntries(const std::vector<Entry>& entries);
    void BuildThumbnail(int index);
    int AddThumbnail(CPictureFile& picture);
    void RebuildImageList(int cx, int cy);
    BOOL AddFixedImage(UINT bitmapId);
    int ImageOf(int index) const;

    CString m_folder;
    std::vector<int> m_states;
    int m_driveCount;
    int m_folderCount;  // ".." and the sub-folders
    int m_fileCount;
    int m_sortMode;
    CString m_types;
    CImageList m_images;
    SIZE m_imageSize;
};
