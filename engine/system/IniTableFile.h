#pragma once

#include <afx.h>

#include <memory>

class CIniFile;
class CIniSection;

// An ini file of numbered tables: [General] lists the tables, each table's section holds
// "Total" and its numbered lines. The region and frequency-point files are both of this form.
class CIniTableFile
{
public:
    CIniTableFile();
    virtual ~CIniTableFile();

    // A file already loaded from the same path is not read again. Only a file that was read
    // is kept, so a file that was missing is tried again next time.
    BOOL Open(const char* path);
    CString GetFileName() const;

protected:
    static const char kGeneral[];
    static const char kTotal[];

    // The key "format" with the number put in, such as "Channel-3".
    static CString Numbered(const char* format, int i);
    // The section's "Total", 0 without a section.
    static int SectionTotal(const CIniSection* section);

    std::unique_ptr<CIniFile> m_file;

private:
    CIniTableFile(const CIniTableFile&);
    CIniTableFile& operator=(const CIniTableFile&);
};
