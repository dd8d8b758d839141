#include "SimPersonality.h"

#include <string.h>

#include "CSimProgram.h"

namespace {

// The picture files the suite's programs write, by extension.
const char* const kPictureExtensions[] = {".bmp", ".jpg", ".jpeg", ".gif", ".pcx", ".tga", ".tif", ".tiff", ".png"};

bool IsPicture(const char* name)
{
    const char* dot = strrchr(name, '.');
    if (dot == NULL)
        return false;
    for (const char* extension : kPictureExtensions) {
        if (_stricmp(dot, extension) == 0)
            return true;
    }
    return false;
}

// The image browser is given one folder, quoted or not.
std::string FolderOf(const std::string& params)
{
    size_t first = params.find_first_not_of(" \t");
    size_t last = params.find_last_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    std::string folder = params.substr(first, last - first + 1);
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    return folder;
}

void CountPictures(CSimProgram& program)
{
    std::string folder = FolderOf(program.Params());
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (folder.empty() || search == INVALID_HANDLE_VALUE) {
        program.Log().Line("! no folder %s", folder.c_str());
        return;
    }
    int pictures = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsPicture(found.cFileName))
            ++pictures;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    program.Log().Line("F %s pictures=%d", folder.c_str(), pictures);
}

// The updater's fields are joined by commas; each may hold blanks.
void LogFields(CSimProgram& program)
{
    const std::string& params = program.Params();
    size_t start = 0;
    for (int index = 0;; ++index) {
        size_t comma = params.find(',', start);
        program.Log().Line("F %d=%s", index, params.substr(start, comma - start).c_str());
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
}

// The media desktop gives way to the TV program while it holds the device.
bool FollowDevice(CSimProgram& program, UINT message, WPARAM, LPARAM)
{
    if (message == CSimProgram::WM_RELEASE_DEVICE) {
        program.Log().Line("M 4400");
        ShowWindow(program.Window(), SW_MINIMIZE);
        return true;
    }
    if (message == CSimProgram::WM_RESUME_DEVICE) {
        program.Log().Line("M 4401");
        ShowWindow(program.Window(), SW_MAXIMIZE);
        return true;
    }
    return false;
}

// The open command of web addresses: the address is in the start line; no browser starts.
void EndAtOnce(CSimProgram& program)
{
    DestroyWindow(program.Window());
}

const SimPersonality kPersonalities[] = {
    // stem        title                     start          message
    {"Pocketel",   "Remote Control Tray",    NULL,          NULL},
    {"Reelview",   "Reelview",               NULL,          NULL},
    {"Pictoscan",  "Pictoscan",              CountPictures, NULL},
    {"Patchwell",  "Patchwell",              LogFields,     NULL},
    {"Kavex",      "视频窗口",               NULL,          NULL},
    {"vlmstub",    " Media Manage Desktop ", NULL,          FollowDevice},
    {"urlrec",     NULL,                     EndAtOnce,     NULL},
};

const SimPersonality kFallback = {NULL, NULL, NULL, NULL};

} // namespace

const SimPersonality& FindPersonality(const std::string& stem)
{
    for (const SimPersonality& personality : kPersonalities) {
        if (_stricmp(personality.stem, stem.c_str()) == 0)
            return personality;
    }
    return kFallback;
}
