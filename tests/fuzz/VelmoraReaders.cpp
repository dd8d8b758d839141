// Velmora's reader: its settings archive "VLM.exe.sav", loaded and saved by the view.
#include "FuzzReaders.h"

#include <string>

#include "CVelmoraView.h"

namespace {

std::string Describe(const CViewSettings& s)
{
    const CString* texts[] = {&s.m_tvProgramPath, &s.m_pictureFolder, &s.m_musicFolder, &s.m_musicPlayerPath,
                              &s.m_videoFolder, &s.m_videoPlayerPath, &s.m_videoTypes, &s.m_musicTypes,
                              &s.m_pictureTypes, &s.m_mainBackground, &s.m_pictureBackground,
                              &s.m_videoBackground, &s.m_musicBackground};
    std::string text;
    for (const CString* t : texts)
        text += std::string(*t) + "|";
    return text + std::to_string(s.m_runAtStartup) + " " + std::to_string(s.m_allowSeveralMedia) + " " +
           std::to_string(s.m_slideshowSeconds) + " " + std::to_string(s.m_stretchSlideshow);
}

const char kSettingsFile[] = "VLM.exe.sav";

FuzzReader::Result LoadViewSettings(const CString& folder, const CString& scratch)
{
    CVelmoraView view;
    if (!view.LoadViewSettings(InFolder(folder, kSettingsFile)))
        return FuzzReader::kRefused;
    std::string read = Describe(view.GetSettings());
    if (!view.SaveSettings(scratch))
        return FuzzReader::kRefused;
    CVelmoraView again;
    if (!again.LoadViewSettings(scratch) || Describe(again.GetSettings()) != read)
        return FuzzReader::kLostOnSave;
    return FuzzReader::kLoaded;
}

const char* const kSettingsFiles[] = {kSettingsFile, NULL};

} // namespace

const FuzzReader kFuzzReaders[] = {
    {"viewsettings", kSettingsFiles, 1, LoadViewSettings},
    {NULL, NULL, 0, NULL},
};

void WriteSeedFolder(const CString& folder)
{
    CVelmoraView view;
    view.GetSettings().m_slideshowSeconds = 7;
    view.GetSettings().m_runAtStartup = TRUE;
    view.GetSettings().m_pictureTypes = ".jpg.jpeg.bmp.gif.png.";
    view.SaveSettings(InFolder(folder, kSettingsFile));
}
