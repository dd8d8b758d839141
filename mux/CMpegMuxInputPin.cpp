#include "CMpegMuxInputPin.h"

#include "CMpegMuxFilter.h"
#include "CDebugLog.h"
#include "MuxMediaTypes.h"

#include <stdio.h>

namespace
{

std::wstring PinName(int number)
{
    WCHAR name[16];
    _snwprintf(name, 16, L"Input%d", number);
    name[15] = 0;
    return name;
}

} // namespace

CMpegMuxInputPin::CMpegMuxInputPin(CMpegMuxFilter& filter, int number)
    : CBaseInputPin(filter, PinName(number).c_str()), m_number(number)
{
}

HRESULT CMpegMuxInputPin::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return MuxHasPair(MuxInputMediaTypes, kMuxInputTypeCount, type) ? S_OK : S_FALSE;
}

HRESULT CMpegMuxInputPin::GetMediaType(int index, CAmMediaType& type)
{
    if (index < 0)
        return E_INVALIDARG;
    if (index >= kMuxInputTypeCount)
        return VFW_S_NO_MORE_ITEMS;
    MuxSetPair(MuxInputMediaTypes[index], type);
    return S_OK;
}

HRESULT CMpegMuxInputPin::OnReceive(IMediaSample*)
{
    static LONG reported = 0;
    return CDebugLog::NotImplemented("CMpegMuxInputPin::Receive", reported);
}
