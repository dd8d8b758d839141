#include "FilterPin.h"

#include "AmMediaType.h"
#include "FilterWrapper.h"
#include "NameBuffer.h"

#include <uuids.h>

#include <cstdio>
#include <cstring>

namespace
{
const int kTextSize = 1024;

struct GuidName
{
    const GUID* guid;
    const char* name;
};

// FOURCC subtypes: the FOURCC in Data1, then the fixed tail of every FOURCC GUID.
const GUID kSubtypeYVU9 = {0x39555659, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const GUID kSubtypeYUY2 = {0x32595559, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const GUID kSubtypeIJPG = {0x47504A49, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

const GuidName kMajorTypes[] = {
    {&MEDIATYPE_AnalogVideo, "Analog Video"},
    {&MEDIATYPE_Audio, "Audio"},
    {&MEDIATYPE_Video, "Video"},
};

// Tested in this order.
const GuidName kSubtypes[] = {
    {&MEDIASUBTYPE_MPEG1Packet, "MPEG1 Packet"},
    {&MEDIASUBTYPE_MPEG1Payload, "MPEG1 Payload"},
    {&kSubtypeYVU9, "YVU9"},
    {&kSubtypeYUY2, "YUY2"},
    {&kSubtypeIJPG, "IJPG"},
    {&MEDIASUBTYPE_RGB8, "RGB8"},
    {&MEDIASUBTYPE_RGB555, "RGB555"},
    {&MEDIASUBTYPE_RGB565, "RGB565"},
    {&MEDIASUBTYPE_RGB24, "RGB24"},
    {&MEDIASUBTYPE_RGB32, "RGB32"},
};

// A GUID without braces and without the dash inside its last eight bytes.
void AppendGuidText(char* text, const GUID& guid)
{
    char* end = text + strlen(text);
    end += sprintf(end, "%08lX-%04X-%04X-", (unsigned long)guid.Data1, guid.Data2, guid.Data3);
    for (int i = 0; i < 8; ++i)
        end += sprintf(end, "%02X", guid.Data4[i]);
}

template <size_t N>
void AppendTypeName(char* text, const GuidName (&names)[N], const GUID& guid)
{
    for (size_t i = 0; i < N; ++i) {
        if (IsEqualGUID(*names[i].guid, guid)) {
            strcat(text, names[i].name);
            return;
        }
    }
    AppendGuidText(text, guid);
}

// Both text operations start from an empty buffer, and refuse one with no room for a
// character.
bool StartText(char* buffer, int size)
{
    if (buffer == NULL || size < 2)
        return false;
    buffer[0] = '\0';
    return true;
}

void FinishText(char* buffer, int size, const char* text)
{
    CNameBuffer::Copy(buffer, size < kTextSize ? size : kTextSize, text);
}
}

CFilterPin::CFilterPin(CFilterWrapper* owner, IPin* pin)
    : m_pin(pin)
    , m_owner(owner)
    , m_peer(NULL)
    , m_next(NULL)
{
    m_name[0] = '\0';
    PIN_INFO info;
    if (m_pin && SUCCEEDED(m_pin->QueryPinInfo(&info))) {
        CNameBuffer::FromWide(m_name, sizeof(m_name), info.achName);
        if (info.pFilter)
            info.pFilter->Release();
    }
}

CFilterPin::~CFilterPin()
{
    // The peer must not keep pointing at a record that is gone.
    if (m_peer && m_peer->m_peer == this)
        m_peer->m_peer = NULL;
}

BOOL CFilterPin::QueryDirection(PIN_DIRECTION* direction)
{
    return m_pin->QueryDirection(direction) == S_OK;
}

BOOL CFilterPin::QueryPinInfo(PIN_INFO* info)
{
    return m_pin->QueryPinInfo(info) == S_OK;
}

BOOL CFilterPin::QueryId(LPWSTR* id)
{
    return m_pin->QueryId(id) == S_OK;
}

BOOL CFilterPin::QueryAccept(const AM_MEDIA_TYPE* type)
{
    return m_pin->QueryAccept(type) == S_OK;
}

HRESULT CFilterPin::EnumMediaTypes(IEnumMediaTypes** types)
{
    return m_pin->EnumMediaTypes(types);
}

HRESULT CFilterPin::ConnectionMediaType(AM_MEDIA_TYPE* type)
{
    return m_pin->ConnectionMediaType(type);
}

BOOL CFilterPin::ShowPropertyPages(HWND parent, const char* caption)
{
    return m_owner->ShowPropertyPages(parent, caption);
}

BOOL CFilterPin::GetFirstMediaType(GUID* majorType, GUID* subtype)
{
    CComRef<IEnumMediaTypes> types;
    if (FAILED(EnumMediaTypes(types.Receive())) || !types)
        return FALSE;
    AM_MEDIA_TYPE* type = NULL;
    if (types->Next(1, &type, NULL) != S_OK || type == NULL)
        return FALSE;
    *majorType = type->majortype;
    *subtype = type->subtype;
    CAmMediaType::Delete(type);
    return TRUE;
}

BOOL CFilterPin::DescribeMediaType(char* buffer, int size)
{
    if (!StartText(buffer, size))
        return FALSE;
    GUID majorType, subtype;
    if (!GetFirstMediaType(&majorType, &subtype))
        return FALSE;
    char text[kTextSize] = "MainType:";
    AppendTypeName(text, kMajorTypes, majorType);
    FinishText(buffer, size, text);
    return TRUE;
}

BOOL CFilterPin::DescribeConnectionType(char* buffer, int size)
{
    if (!StartText(buffer, size))
        return FALSE;
    AM_MEDIA_TYPE type;
    if (FAILED(ConnectionMediaType(&type)))
        return FALSE;
    char text[kTextSize] = "MainType:";
    AppendTypeName(text, kMajorTypes, type.majortype);
    strcat(text, ",SubType:");
    AppendTypeName(text, kSubtypes, type.subtype);
    CAmMediaType::FreeFormat(type);
    FinishText(buffer, size, text);
    return TRUE;
}
