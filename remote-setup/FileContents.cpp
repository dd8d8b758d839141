#include "FileContents.h"

BOOL ReadFileContents(const char* path, std::string& bytes)
{
    bytes.clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = TRUE;
    char buffer[16384];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, sizeof(buffer), &read, NULL)) {
            ok = FALSE;
            break;
        }
        if (read == 0)
            break;
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return ok;
}

FileReplacementResult ReplaceFileContents(const char* path, const void* data, DWORD size)
{
    std::string temporary = std::string(path) + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return kFileNotCreated;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, data, size, &written, NULL) && written == size;
    wrote = CloseHandle(file) && wrote;
    if (!wrote) {
        DeleteFileA(temporary.c_str());
        return kFileWriteFailed;
    }
    // A read-only or locked target, or a folder of that name, refuses its replacement.
    if (!MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return kFileNotCreated;
    }
    return kFileReplaced;
}
