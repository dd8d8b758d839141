#pragma once

#include <afxwin.h>

#include "IniFile.h"

class CSkin;

// Reads one skin element file: every section, in file order, is one element ("TYPE" names
// its kind, "ID" the dialog control it dresses). Each element's object goes to the owning
// skin; an element that lacks a required key or a bitmap makes nothing and the rest still load.
// Bitmaps named by id come from the current resource module, then from the program.
class CSkinReader
{
public:
    CSkinReader(CSkin* owner, LPCTSTR path);
    virtual ~CSkinReader();

    // FALSE only when the file cannot be read.
    BOOL Load();
    // The element's control (its id in id), or NULL when it makes none.
    CWnd* ReadElement(const CIniSection& section, UINT& id);

    // Each answers the created control or NULL. The dialog element hands its object to the
    // skin itself and answers NULL.
    virtual CWnd* ReadDialog(const CIniSection& section);
    virtual CWnd* ReadSlider(const CIniSection& section);
    virtual CWnd* ReadButton(const CIniSection& section);
    virtual CWnd* ReadStatic(const CIniSection& section);
    CWnd* ReadMultiSlider(const CIniSection& section);

    const CString& GetSkinDir() const { return m_skinDir; }

protected:
    // The skin directory, a backslash, the stem and the ending.
    CString BitmapPath(const CString& stem, LPCTSTR ending) const;

private:
    CSkinReader(const CSkinReader&);
    CSkinReader& operator=(const CSkinReader&);

    CIniFile m_file;
    CSkin* m_owner;  // weak: the skin owns this reader
    CString m_skinDir;
};
