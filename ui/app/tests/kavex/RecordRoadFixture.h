// The panel's recording tests' fixture: recordings into a folder of the test's own, and the
// helpers that read what the card, the files and the boxes show.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppMessages.h"
#include "DialogWatcher.h"
#include "KavexWindowsFixture.h"
#include "PumpMessages.h"
#include "Tickwell.h"

inline namespace record_road {

inline void Command(UINT id)
{
    theControlPanel.SendMessage(WM_COMMAND, id, 0);
}

inline std::string Station()
{
    SimControl card(0);
    std::string state = "\n" + card("state");
    size_t at = state.find("\nstation=");
    return at == std::string::npos ? "" : state.substr(at + 9, state.find('\n', at + 9) - at - 9);
}

inline std::string Label(UINT id)
{
    CString text;
    theControlPanel.GetDlgItem(id)->GetWindowText(text);
    return (LPCTSTR)text;
}

inline std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

inline LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// The boxes the panel shows carry the program's name; the framework's, without an application
// object, the test program's file name.
struct Boxes
{
    DialogWatcher panel;
    DialogWatcher framework;
    Boxes()
    {
        panel.OnlyCaption("Kavex");
        char path[MAX_PATH] = "";
        GetModuleFileNameA(NULL, path, MAX_PATH);
        framework.OnlyCaption(PathFindFileNameA(path));
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const DialogWatcher* watcher : {&framework, &panel})
            for (const ShownDialog& box : watcher->Dialogs())
                texts.push_back(box.text);
        return texts;
    }
};

// Recordings go to a folder of the test's own, in MPEG-2 so that they can be paused.
class RecordRoadTest : public KavexWindowsTest
{
protected:
    void SetUp() override
    {
        KavexWindowsTest::SetUp();
        const CTVSettings& settings = theTVSystem.GetSettings();
        m_keptFolder = settings.videoPath;
        m_keptNoSpace = settings.noSpace;
        m_keptMaxLength = settings.maxLength;
        m_keptExcessLength = settings.excessLength;
        theTVSystem.GetSettings().videoPath = m_folder.Path().c_str();
        Command(ID_FORMAT_AVI + 2);
        ASSERT_FALSE(theTVSystem.IsRecording());
    }

    void TearDown() override
    {
        // The debounce ends first, so that the stop and the next test's first press count.
        PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000);
        if (theTVSystem.IsRecording())
            Command(IDC_RECORD);
        PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000);
        theControlPanel.SetRecordBlocked(FALSE);
        CTVSettings& settings = theTVSystem.GetSettings();
        settings.videoPath = m_keptFolder;
        settings.noSpace = m_keptNoSpace;
        settings.maxLength = m_keptMaxLength;
        settings.excessLength = m_keptExcessLength;
        Command(ID_FORMAT_AVI);
    }

    std::string OnlyFile()
    {
        std::vector<std::string> files = FilesIn(m_folder.Path());
        return files.size() == 1 ? m_folder.Path() + "\\" + files[0] : "";
    }

    TempFolder m_folder;
    CString m_keptFolder;
    int m_keptNoSpace = 0, m_keptMaxLength = 0, m_keptExcessLength = 0;
};

} // namespace record_road
