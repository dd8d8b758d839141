#pragma once

#include <string>

// A fresh folder under the temporary path for one test, removed with everything in it
// (read-only files included) when the object goes.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Without a trailing backslash.
    const std::string& Path() const { return m_path; }
    std::string FilePath(const std::string& name) const;

    // Both take a name inside the folder; bytes are written and read as they are.
    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

    static bool WriteWholeFile(const std::string& path, const std::string& bytes);
    // An empty text when the file cannot be read.
    static std::string ReadWholeFile(const std::string& path);

private:
    static void RemoveTree(const std::string& path);

    std::string m_path;
};
