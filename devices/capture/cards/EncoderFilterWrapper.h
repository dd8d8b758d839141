#pragma once

#include "ComRef.h"
#include "FilterWrapper.h"

#include <strmif.h>

// The device category of the cards' encoder devices. {19689BF6-C384-48FD-AD51-90E58C79F70B}
inline constexpr GUID kEncoderDeviceCategory =
    {0x19689BF6, 0xC384, 0x48FD, {0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B}};

// An MPEG encoder device of a card: its settings are properties of the encoder driver's own
// set, passed through with the same buffer as instance and property data. A device without
// IKsPropertySet makes no wrapper.
class CEncoderFilterWrapper : public CFilterWrapper
{
public:
    CEncoderFilterWrapper(CGraphBuilder* graph, REFCLSID clsid, const GUID& propertySet);
    CEncoderFilterWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode,
                          const GUID& propertySet);

    BOOL Init() override;

    // TRUE when the driver's HRESULT is a success.
    BOOL SetEncoderProperty(DWORD id, void* data, DWORD size);
    BOOL GetEncoderProperty(DWORD id, void* data, DWORD size);

private:
    const GUID& m_propertySet;
    CComRef<IKsPropertySet> m_driver;
};
