#pragma once

#include "ComRef.h"

#include <dshow.h>

class CFilterWrapper;

// One pin of a wrapped filter. Made and deleted only by its wrapper (CFilterWrapper), which
// keeps its records in a list in the filter's enumeration order.
class CFilterPin
{
public:
    enum { kNameSize = 256 };

    // Takes a reference of its own on pin and reads its name.
    CFilterPin(CFilterWrapper* owner, IPin* pin);
    virtual ~CFilterPin();

    IPin* GetPin() const { return m_pin.Get(); }
    CFilterWrapper* GetOwner() const { return m_owner; }
    const char* GetName() const { return m_name; }

    // The record at the other end of a connection made through CGraphBuilder::Connect.
    CFilterPin* GetPeer() const { return m_peer; }
    void SetPeer(CFilterPin* peer) { m_peer = peer; }

    CFilterPin* GetNext() const { return m_next; }

    // TRUE only when the pin answers S_OK.
    BOOL QueryDirection(PIN_DIRECTION* direction);
    BOOL QueryPinInfo(PIN_INFO* info);
    BOOL QueryId(LPWSTR* id);
    BOOL QueryAccept(const AM_MEDIA_TYPE* type);
    HRESULT EnumMediaTypes(IEnumMediaTypes** types);
    HRESULT ConnectionMediaType(AM_MEDIA_TYPE* type);

    BOOL ShowPropertyPages(HWND parent, const char* caption);
    // The major type and subtype of the first type the pin offers.
    BOOL GetFirstMediaType(GUID* majorType, GUID* subtype);
    // "MainType:<major>" of the first offered type, and "MainType:<major>,SubType:<sub>" of
    // the connection, cut to the buffer.
    BOOL DescribeMediaType(char* buffer, int size);
    BOOL DescribeConnectionType(char* buffer, int size);

private:
    // The wrapper links its records.
    friend class CFilterWrapper;

    CFilterPin(const CFilterPin&);
    CFilterPin& operator=(const CFilterPin&);

    CComRef<IPin> m_pin;
    // Weak: the wrapper owns this record.
    CFilterWrapper* m_owner;
    // Weak: the peer belongs to another wrapper; each record of a pair points at the other.
    CFilterPin* m_peer;
    CFilterPin* m_next;
    char m_name[kNameSize];
};
