#pragma once

#include "CMediaBrowser.h"
#include "CMenuListBox.h"
#include "CSceneBase.h"
#include "CStatusText.h"

// Where a media page puts its children and which commands its list holds.
struct MediaSceneLayout
{
    UINT listId;
    RECT listRect;
    SIZE listItemSize;
    const UINT* commands;  // string ids, in the list's order
    int commandCount;
    UINT browserId;
    SIZE browserItemSize;
    int browserRows;
    int browserColumns;
    UINT statusId;
    // The browser stands this far right of the list, and is this much narrower than the
    // page less the list.
    int browserGap;
    int browserWidthCut;
};

// A media page: a command list, a browser of the page's folder and a status line above it
// showing the folder of the selected entry.
class CMediaScene : public CSceneBase
{
public:
    // browser is the subclass's member, living as long as the page.
    CMediaScene(const MediaSceneLayout& layout, CMediaBrowser& browser);
    ~CMediaScene() override;

    // Lists the folder when the browser is there already.
    void SetFolder(LPCTSTR folder);
    const CString& GetFolder() const { return m_folder; }
    CMediaBrowser& GetBrowser() { return m_browser; }
    CMenuListBox& GetCommandList() { return m_commands; }
    CStatusText& GetStatusLine() { return m_status; }

protected:
    void CreateChildren() override;
    void OnListSelChange(HWND list, int item) override;
    void OnListActivate(HWND list, int item) override;
    // A command of the list, by its string id.
    virtual void OnSceneCommand(UINT command);
    // A file of the browser was activated.
    virtual void OnFileActivate(int index) = 0;
    // Asks the main window to play the file.
    void PlayFile(int index, PlayMediaKind kind);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void PlaceChildren(int cx, int cy);

    const MediaSceneLayout& m_layout;
    CString m_folder;
    CMenuListBox m_commands;
    CStatusText m_status;
    CMediaBrowser& m_browser;
};
