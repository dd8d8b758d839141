#include "PicFile.h"

#include "ImageLoad.h"

namespace
{
// Far beyond any picture the suite handles; a larger file is not read into memory.
const DWORD kMaxFileSize = 256u * 1024 * 1024;
}

int PicFile::Read(const char* path, std::string* bytes)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kPicLibCannotOpen;
    DWORD high = 0, size = GetFileSize(file, &high), done = 0;
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxFileSize;
    if (ok) {
        bytes->assign(size, '\0');
        ok = size == 0 || (ReadFile(file, &(*bytes)[0], size, &done, nullptr) && done == size);
    }
    CloseHandle(file);
    return ok ? kPicLibOk : kPicLibReadError;
}

int PicFile::Write(const char* path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return kPicLibCannotWrite;
    DWORD done = 0;
    bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &done, nullptr) && done == bytes.size();
    CloseHandle(file);
    if (!ok)
        DeleteFileA(path);
    return ok ? kPicLibOk : kPicLibCannotWrite;
}
