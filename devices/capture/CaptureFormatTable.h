#pragma once

#include <dshow.h>

#include <stddef.h>

// A capture format as the program hands it around: the subtype code and the video header
// without colour table. What the codes mean is up to each device class's table.
struct CaptureFormat
{
    // The capture device base's codes; 5 is not used there.
    enum { kRgb555 = 0, kRgb24 = 1, kYuy2 = 2, kYvu9 = 3, kYv12 = 4, kUyvy = 6, kCxf1 = 7, kCxf2 = 8, kOther = -1 };

    int subtype;
    VIDEOINFOHEADER header;
};

// One subtype code of a device class.
struct CaptureSubtype
{
    int code;
    GUID subtype;
    BOOL rgb;       // rows DWORD-aligned
    BOOL readable;  // a format of this subtype reads back as its code
};

// The capture device base's codes: the common subtypes up to UYVY, then the FOURCC codes of
// the 2388x cards.
enum { kCommonSubtypeCount = 6, kStandardSubtypeCount = 8 };
extern const CaptureSubtype kStandardSubtypes[kStandardSubtypeCount];

// A device class's subtype codes and the conversions between its capture formats and the
// media types of a pin's stream configuration.
class CCaptureFormatTable
{
public:
    // A code the table lacks is written as fallbackCode's subtype.
    template <size_t N>
    CCaptureFormatTable(const CaptureSubtype (&rows)[N], int fallbackCode)
        : m_rows(rows), m_count(N), m_fallbackCode(fallbackCode)
    {
    }
    // The first count rows.
    CCaptureFormatTable(const CaptureSubtype* rows, size_t count, int fallbackCode)
        : m_rows(rows), m_count(count), m_fallbackCode(fallbackCode)
    {
    }

    // The code of a readable row of that subtype, else CaptureFormat::kOther.
    int CodeOf(REFGUID subtype) const;
    // The header and code of a VIDEOINFO media type; E_INVALIDARG for any other.
    HRESULT Read(const AM_MEDIA_TYPE& type, CaptureFormat* format) const;
    // Puts the format into a VIDEOINFO media type, with the image and sample size its
    // subtype gives; E_INVALIDARG for any other type.
    HRESULT Write(const CaptureFormat& format, AM_MEDIA_TYPE* type) const;

    // A FOURCC media subtype: {fourcc-0000-0010-8000-00AA00389B71}.
    static GUID FourccSubtype(DWORD fourcc);
    // The bytes of one image: RGB rows are padded to whole DWORDs, YUV images are packed.
    static DWORD ImageSize(const BITMAPINFOHEADER& bitmap, BOOL rgb);
    // pin 1: the capture pin's category, any other value the preview pin's.
    static const GUID* PinCategory(int pin);

private:
    const CaptureSubtype& RowOf(int code) const;

    const CaptureSubtype* m_rows;
    size_t m_count;
    int m_fallbackCode;
};
