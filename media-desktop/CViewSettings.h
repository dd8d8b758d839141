#pragma once

#include "afx.h"

// The user's settings of the desktop, kept by the view and saved in "VLM.exe.sav" in the
// program folder as the framework's archive: fields in the order of Serialize, with no header.
class CViewSettings
{
public:
    // The defaults: the program's files beside it, the player under the Windows drive's
    // program folder, the video folder on the system drive.
    CViewSettings();

    // Loading reads every field into a copy first, so a read that fails part-way (the
    // archive throws) leaves these settings as they were.
    void Serialize(CArchive& ar);

    // Every field the archive stores is the same.
    bool operator==(const CViewSettings& other) const;
    bool operator!=(const CViewSettings& other) const { return !(*this == other); }

    CString m_tvProgramPath;
    CString m_pictureFolder;
    CString m_musicFolder;
    CString m_musicPlayerPath;
    CString m_videoFolder;
    CString m_videoPlayerPath;
    CString m_videoTypes;
    CString m_musicTypes;
    CString m_pictureTypes;
    CString m_mainBackground;
    CString m_pictureBackground;
    CString m_videoBackground;
    CString m_musicBackground;
    BOOL m_runAtStartup;
    BOOL m_allowSeveralMedia;
    int m_slideshowSeconds;
    BOOL m_stretchSlideshow;

private:
    void Store(CArchive& ar) const;
    void Load(CArchive& ar);
};
