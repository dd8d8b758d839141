#include "TempFolder.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

TempFolder::TempFolder()
{
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp))
        throw std::runtime_error("no temporary path");
    std::string base(temp);
    if (base.back() != '\\')
        base += '\\';

    // Tests of several executables run at once: the process id keeps their folders apart.
    static LONG counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[64];
        snprintf(name, sizeof(name), "suite-%lu-%ld-%lu", GetCurrentProcessId(),
                 InterlockedIncrement(&counter), GetTickCount());
        std::string path = base + name;
        if (CreateDirectoryA(path.c_str(), NULL)) {
            m_path = path;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

std::string TempFolder::FilePath(const std::string& name) const
{
    return m_path + "\\" + name;
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::string path = FilePath(name);
    if (!WriteWholeFile(path, bytes))
        throw std::runtime_error("cannot write " + path);
    return path;
}

std::string TempFolder::Read(const std::string& name) const
{
    return ReadWholeFile(FilePath(name));
}

bool TempFolder::WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::string TempFolder::ReadWholeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void TempFolder::RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            // Tests make files and folders read-only to provoke write failures.
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}
