#include "CSimPictureTapFilter.h"

#include "CSimVideoConvert.h"
#include "CritGuard.h"

CSimPictureTapFilter::CSimPictureTapFilter(IUnknown* outer, REFCLSID clsid, const char* module, const char* identity)
    : CSimStandInFilter(outer, clsid, module, identity)
    , m_input(*this, L"Input", PIN_INPUT)
    , m_output(*this, L"Output", PIN_OUTPUT)
    , m_arrived(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CSimPictureTapFilter::~CSimPictureTapFilter()
{
    if (m_arrived != nullptr)
        CloseHandle(m_arrived);
}

CBasePin* CSimPictureTapFilter::GetPin(int index)
{
    if (index == PIN_INPUT)
        return &m_input;
    return index == PIN_OUTPUT ? &m_output : nullptr;
}

HRESULT CSimPictureTapFilter::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    return CSimVideoConvert::CanRead(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimPictureTapFilter::GetOutputType(int, int index, CAmMediaType& type)
{
    if (!m_input.IsConnected() || index > 0)
        return VFW_S_NO_MORE_ITEMS;
    return type.Set(m_input.ConnectionType());
}

HRESULT CSimPictureTapFilter::CheckOutputType(int, const AM_MEDIA_TYPE& type)
{
    if (!m_input.IsConnected())
        return VFW_E_NOT_CONNECTED;
    return m_input.ConnectionType().Equals(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// The samples passed on are the upstream filter's: the own allocator is only a formality.
HRESULT CSimPictureTapFilter::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 1 ? request->cBuffers : 1;
    wanted.cbBuffer = request->cbBuffer > 1 ? request->cbBuffer : 1;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimPictureTapFilter::ReceiveSample(int, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (SUCCEEDED(sample->GetPointer(&data))) {
        CCritGuard guard(m_pictureLock);
        if (CSimVideoConvert::FromSample(m_input.ConnectionType(), data, sample->GetActualDataLength(), m_picture)) {
            ++m_pictures;
            SetEvent(m_arrived);
        }
    }
    return m_output.IsConnected() ? m_output.Deliver(sample) : S_OK;
}

HRESULT CSimPictureTapFilter::EndOfInput(int)
{
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimPictureTapFilter::BeginInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimPictureTapFilter::EndInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverEndFlush() : S_OK;
}

void CSimPictureTapFilter::OnTeardown()
{
    CCritGuard guard(m_pictureLock);
    m_pictures = 0;
    m_picture = CSimFrame();
}

bool CSimPictureTapFilter::NextPicture(CSimFrame& picture, DWORD timeoutMs)
{
    DWORD seen;
    {
        CCritGuard guard(m_pictureLock);
        seen = m_pictures;
        ResetEvent(m_arrived);
    }
    DWORD started = GetTickCount();
    for (;;) {
        {
            CCritGuard guard(m_pictureLock);
            if (m_pictures != seen) {
                picture = m_picture;
                return true;
            }
        }
        DWORD waited = GetTickCount() - started;
        if (waited >= timeoutMs)
            return false;
        DWORD result = MsgWaitForMultipleObjects(1, &m_arrived, FALSE, timeoutMs - waited, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
}

bool CSimPictureTapFilter::LastPicture(CSimFrame& picture)
{
    CCritGuard guard(m_pictureLock);
    if (m_pictures == 0)
        return false;
    picture = m_picture;
    return true;
}
