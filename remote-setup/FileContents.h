#pragma once

#include <windows.h>

#include <string>

// Reads the whole file. FALSE when it cannot be opened or a read fails; `bytes` then holds
// what was read.
BOOL ReadFileContents(const char* path, std::string& bytes);

enum FileReplacementResult
{
    kFileReplaced,
    kFileNotCreated,  // the new file could not be made, or could not take the old one's place
    kFileWriteFailed  // a write failed part-way (a full disk)
};

// Writes the bytes to a file beside the target and then puts it in the target's place, so that
// a failure anywhere leaves the old file as it was and no partial file behind.
FileReplacementResult ReplaceFileContents(const char* path, const void* data, DWORD size);
