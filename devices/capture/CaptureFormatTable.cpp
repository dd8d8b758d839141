#include "CaptureFormatTable.h"

#include <stdlib.h>
#include <string.h>

const CaptureSubtype kStandardSubtypes[kStandardSubtypeCount] = {
    // code, subtype, rgb, readable
    {CaptureFormat::kRgb555, MEDIASUBTYPE_RGB555, TRUE, TRUE},
    {CaptureFormat::kRgb24, MEDIASUBTYPE_RGB24, TRUE, TRUE},
    {CaptureFormat::kYuy2, MEDIASUBTYPE_YUY2, FALSE, TRUE},
    {CaptureFormat::kYvu9, MEDIASUBTYPE_YVU9, FALSE, TRUE},
    {CaptureFormat::kYv12, MEDIASUBTYPE_YV12, FALSE, TRUE},
    {CaptureFormat::kUyvy, MEDIASUBTYPE_UYVY, FALSE, TRUE},
    {CaptureFormat::kCxf1, CCaptureFormatTable::FourccSubtype(MAKEFOURCC('C', 'X', 'F', '1')), FALSE, TRUE},
    {CaptureFormat::kCxf2, CCaptureFormatTable::FourccSubtype(MAKEFOURCC('C', 'X', 'F', '2')), FALSE, TRUE},
};

const CaptureSubtype& CCaptureFormatTable::RowOf(int code) const
{
    const CaptureSubtype* fallback = &m_rows[0];
    for (size_t i = 0; i < m_count; ++i) {
        if (m_rows[i].code == code)
            return m_rows[i];
        if (m_rows[i].code == m_fallbackCode)
            fallback = &m_rows[i];
    }
    return *fallback;
}

int CCaptureFormatTable::CodeOf(REFGUID subtype) const
{
    for (size_t i = 0; i < m_count; ++i) {
        if (m_rows[i].readable && IsEqualGUID(m_rows[i].subtype, subtype))
            return m_rows[i].code;
    }
    return CaptureFormat::kOther;
}

HRESULT CCaptureFormatTable::Read(const AM_MEDIA_TYPE& type, CaptureFormat* format) const
{
    if (!IsEqualGUID(type.formattype, FORMAT_VideoInfo) || type.cbFormat < sizeof(VIDEOINFOHEADER) || !type.pbFormat)
        return E_INVALIDARG;
    memcpy(&format->header, type.pbFormat, sizeof(VIDEOINFOHEADER));
    format->subtype = CodeOf(type.subtype);
    return S_OK;
}

HRESULT CCaptureFormatTable::Write(const CaptureFormat& format, AM_MEDIA_TYPE* type) const
{
    if (!IsEqualGUID(type->formattype, FORMAT_VideoInfo) || type->cbFormat < sizeof(VIDEOINFOHEADER) ||
        !type->pbFormat)
        return E_INVALIDARG;
    const CaptureSubtype& row = RowOf(format.subtype);
    VIDEOINFOHEADER* header = (VIDEOINFOHEADER*)type->pbFormat;
    *header = format.header;
    header->bmiHeader.biSizeImage = ImageSize(header->bmiHeader, row.rgb);
    type->subtype = row.subtype;
    type->lSampleSize = header->bmiHeader.biSizeImage;
    return S_OK;
}

GUID CCaptureFormatTable::FourccSubtype(DWORD fourcc)
{
    GUID guid = {fourcc, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    return guid;
}

DWORD CCaptureFormatTable::ImageSize(const BITMAPINFOHEADER& bitmap, BOOL rgb)
{
    DWORD width = (DWORD)abs(bitmap.biWidth);
    DWORD height = (DWORD)abs(bitmap.biHeight);
    if (rgb)
        return ((width * bitmap.biBitCount + 31) / 32 * 4) * height;
    return width * height * bitmap.biBitCount / 8;
}

const GUID* CCaptureFormatTable::PinCategory(int pin)
{
    return pin == 1 ? &PIN_CATEGORY_CAPTURE : &PIN_CATEGORY_PREVIEW;
}
