#include "CSkinReader.h"

#include "CSkin.h"
#include "CSkinButton.h"
#include "CSkinLabel.h"
#include "CSkinMultiSlider.h"
#include "CSkinSlider.h"
#include "CSkinWnd.h"
#include "FolderPaths.h"

namespace {

typedef CWnd* (CSkinReader::*ElementReader)(const CIniSection& section);

// The element kinds by their TYPE value (compared without case).
struct ElementKind
{
    const char* type;
    ElementReader read;
};

const ElementKind kElementKinds[] = {
    // type          read
    {"BUTTON",      &CSkinReader::ReadButton},
    {"SLIDER",      &CSkinReader::ReadSlider},
    {"MULTISLIDER", &CSkinReader::ReadMultiSlider},
    {"STATIC",      &CSkinReader::ReadStatic},
    {"Dialog",      &CSkinReader::ReadDialog},
};

const CIniColor kDefaultTransparent(0, 255, 0);

// A bitmap named by a file stem (LOADFROM 1) or by a resource id.
struct BitmapName
{
    BOOL fromFile;
    CString stem;
    UINT id;
};

BitmapName ReadBitmapName(const CIniSection& section, int loadFrom, const char* key)
{
    BitmapName name = {loadFrom == 1, "0", 0};
    if (name.fromFile)
        section.GetString(key, name.stem);
    else if (section.GetUInt(key, name.id))
        name.id &= 0xFFFF;
    return name;
}

// Keys the trackbar and the multi-slider share; FALSE when a required one is missing.
struct SliderKeys
{
    POINT position;
    int transparent;
    int horizontal;
    CIniColor transparentColor;
    BitmapName track, thumb;
};

BOOL ReadSliderKeys(const CIniSection& section, SliderKeys& keys)
{
    keys.horizontal = 1;
    keys.transparentColor = kDefaultTransparent;
    int loadFrom = 0;
    BOOL required = section.GetPoint("POSITION", keys.position);
    required = section.GetInt("TRANSPARENT", keys.transparent) && required;
    section.GetInt("HORIZONTAL", keys.horizontal);
    section.GetColor("TRANSCOLOR", keys.transparentColor);
    section.GetInt("LOADFROM", loadFrom);
    CString present;
    required = section.GetString("SLIDERBMP", present) && required;
    keys.track = ReadBitmapName(section, loadFrom, "SLIDERBMP");
    keys.thumb = ReadBitmapName(section, loadFrom, "THUMBBMP");
    return required;
}

template <class Control> CWnd* Keep(Control* control, BOOL ok)
{
    if (ok)
        return control;
    delete control;
    return NULL;
}

} // namespace

CSkinReader::CSkinReader(CSkin* owner, LPCTSTR path) : m_file(path), m_owner(owner)
{
    // Split by whole characters: a double-byte character may end in a backslash byte.
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        m_skinDir = SplitPath(path, SPLIT_FOLDER);
}

CSkinReader::~CSkinReader()
{
}

CString CSkinReader::BitmapPath(const CString& stem, LPCTSTR ending) const
{
    return m_skinDir + "\\" + stem + ending;
}

BOOL CSkinReader::Load()
{
    if (!m_file.Load())
        return FALSE;
    for (int index = 0; index < m_file.GetSectionCount(); ++index) {
        UINT id = 0;
        CWnd* control = ReadElement(*m_file.GetSectionAt(index), id);
        if (control)
            m_owner->AddControl(control, id);
    }
    return TRUE;
}

CWnd* CSkinReader::ReadElement(const CIniSection& section, UINT& id)
{
    CString type;
    if (!section.GetString("TYPE", type) || !section.GetUInt("ID", id))
        return NULL;
    for (const ElementKind& kind : kElementKinds) {
        if (type.CompareNoCase(kind.type) == 0)
            return (this->*kind.read)(section);
    }
    return NULL;
}

CWnd* CSkinReader::ReadButton(const CIniSection& section)
{
    int style = 0, transparent = 0, loadFrom = 0;
    POINT position;
    CIniColor transparentColor = kDefaultTransparent;
    section.GetInt("STYLE", style);
    section.GetInt("TRANSPARENT", transparent);
    if (!section.GetPoint("POSITION", position))
        return NULL;
    section.GetColor("TRANSCOLOR", transparentColor);
    section.GetInt("LOADFROM", loadFrom);
    BitmapName name = ReadBitmapName(section, loadFrom, "BMPNAME");

    CSkinButton* button = new CSkinButton;
    button->SetStyle(style);
    button->SetPosition(position.x, position.y);
    COLORREF cut = transparentColor.ToCOLORREF();
    BOOL loaded;
    if (name.fromFile) {
        loaded = button->LoadFileBitmaps(BitmapPath(name.stem, "H.bmp"),
                                         BitmapPath(name.stem, "U.bmp"),
                                         BitmapPath(name.stem, "D.bmp"),
                                         BitmapPath(name.stem, "X.bmp"), cut, transparent);
    } else {
        // An id of 0 (as a wrap past 0xFFFF gives) names no bitmap: the button fails.
        UINT first = name.id;
        loaded = button->LoadResourceBitmaps(first, (first + 1) & 0xFFFF, (first + 2) & 0xFFFF,
                                             (first + 3) & 0xFFFF, cut, transparent);
    }
    return Keep(button, loaded);
}

CWnd* CSkinReader::ReadSlider(const CIniSection& section)
{
    SliderKeys keys;
    if (!ReadSliderKeys(section, keys))
        return NULL;
    CSkinSlider* slider = new CSkinSlider;
    slider->SetPosition(keys.position.x, keys.position.y);
    slider->SetHorizontal(keys.horizontal != 0);
    COLORREF cut = keys.transparentColor.ToCOLORREF();
    BOOL loaded = keys.track.fromFile
                      ? slider->LoadFileBitmaps(BitmapPath(keys.track.stem, ".bmp"),
                                                BitmapPath(keys.thumb.stem, ".bmp"), cut,
                                                keys.transparent)
                      : slider->LoadResourceBitmaps(keys.track.id, keys.thumb.id, cut,
                                                    keys.transparent);
    return Keep(slider, loaded);
}

CWnd* CSkinReader::ReadMultiSlider(const CIniSection& section)
{
    SliderKeys keys;
    if (!ReadSliderKeys(section, keys))
        return NULL;
    int startEdge = 0, endEdge = 0, middleLine = 0, middleHeight = 0;
    UINT cursorId = 0;
    section.GetInt("STARTEDGE", startEdge);
    section.GetInt("ENDEDGE", endEdge);
    section.GetInt("MIDDLELINE", middleLine);
    section.GetInt("MIDDLEHEI", middleHeight);
    section.GetUInt("CURSOR", cursorId);
    // A track that ends where it starts has no positions to map the mouse to.
    if (endEdge <= startEdge)
        return NULL;

    CSkinMultiSlider* slider = new CSkinMultiSlider;
    slider->SetPosition(keys.position.x, keys.position.y);
    slider->SetHorizontal(keys.horizontal != 0);
    COLORREF cut = keys.transparentColor.ToCOLORREF();
    BOOL loaded =
        keys.track.fromFile
            ? slider->LoadFileBitmaps(BitmapPath(keys.track.stem, ".bmp"),
                                      BitmapPath(keys.thumb.stem, ".bmp"), cut, keys.transparent,
                                      startEdge, endEdge, middleLine, middleHeight)
            : slider->LoadResourceBitmaps(keys.track.id, keys.thumb.id, cut, keys.transparent,
                                          startEdge, endEdge, middleLine, middleHeight);
    if (!loaded)
        return Keep(slider, FALSE);
    if (cursorId != 0) {
        // The skin's DLL is freed as soon as the skin has loaded: the cursor is loaded as a
        // copy of its own (not shared with the module), which the skin destroys.
        LPCTSTR name = MAKEINTRESOURCEA(cursorId & 0xFFFF);
        HCURSOR cursor = (HCURSOR)LoadImageA(AfxFindResourceHandle(name, (LPCTSTR)RT_GROUP_CURSOR),
                                             name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
        if (cursor) {
            m_owner->KeepCursor(cursor);
            slider->SetCursor(cursor);
        }
    }
    return slider;
}

CWnd* CSkinReader::ReadStatic(const CIniSection& section)
{
    long mode = 0;
    POINT position;
    SIZE size;
    if (!section.GetLong("STYTLE", mode) || !section.GetPoint("POSITION", position) ||
        !section.GetSize("SIZE", size))
        return NULL;
    CIniColor textColor;
    long backColor = (long)GetSysColor(COLOR_WINDOW), charset = 0;
    CString text, faceName = "Arial";
    SIZE fontSize = {10, 14};
    int loadFrom = 0;

    CSkinLabel* label = new CSkinLabel;
    label->SetBackMode((int)mode);
    label->SetPosition(position.x, position.y);
    label->SetSize(size.cx, size.cy);
    section.GetColor("TEXTCOLOR", textColor);
    label->SetTextColor(textColor.ToCOLORREF());
    BOOL loaded = TRUE;
    if (mode == CSkinLabel::BACK_COLOR) {
        section.GetLong("BACKCOLOR", backColor);
        label->SetBackColor((COLORREF)backColor);
    } else if (mode == CSkinLabel::BACK_BITMAP) {
        section.GetInt("LOADFROM", loadFrom);
        BitmapName back = ReadBitmapName(section, loadFrom, "BACKBMP");
        loaded = back.fromFile ? label->LoadBackFile(BitmapPath(back.stem, ".bmp"))
                               : label->LoadBackResource(back.id);
    }
    section.GetString("TEXT", text);
    label->SetText(text);
    section.GetLong("FONTCHARSET", charset);
    label->SetCharset((BYTE)charset);
    section.GetString("FONTFACENAME", faceName);
    label->SetFaceName(faceName);
    section.GetSize("FONTSIZE", fontSize);
    label->SetFontSize(fontSize.cx, fontSize.cy);
    return Keep(label, loaded);
}

CWnd* CSkinReader::ReadDialog(const CIniSection& section)
{
    long style = 0;
    if (!section.GetLong("STYLE", style))
        return NULL;
    int transparent = 0, loadFrom = 0;
    CIniColor transparentColor = kDefaultTransparent;
    SIZE size = {0, 0};
    section.GetInt("TRANSPARENT", transparent);
    section.GetColor("TRANSCOLOR", transparentColor);
    section.GetSize("SIZE", size);

    CSkinWnd* dialogSkin = new CSkinWnd;
    dialogSkin->SetSize(size.cx, size.cy);
    BOOL made = FALSE;
    if (style == CSkinWnd::MODE_COLOR) {
        long backColor = 0;
        made = section.GetLong("BACKCOLOR", backColor);
        dialogSkin->SetBackColor((COLORREF)backColor);
    } else if (style == CSkinWnd::MODE_BITMAP) {
        section.GetInt("LOADFROM", loadFrom);
        BitmapName back = ReadBitmapName(section, loadFrom, "BACKBMP");
        COLORREF cut = transparentColor.ToCOLORREF();
        made = back.fromFile
                   ? dialogSkin->LoadBackFile(BitmapPath(back.stem, ".bmp"), cut, transparent)
                   : dialogSkin->LoadBackResource(back.id, cut, transparent);
    }
    if (made)
        m_owner->SetDialogSkin(dialogSkin);
    else
        delete dialogSkin;
    return NULL;
}
