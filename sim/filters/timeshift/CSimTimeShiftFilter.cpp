#include "CSimTimeShiftFilter.h"

#include "CritGuard.h"

#include <new>

namespace
{
const CLSID CLSID_SimTimeShift = {0xC234F3EE, 0xE66E, 0x4519, {0x83, 0x39, 0xC9, 0x9E, 0xFA, 0xD3, 0x54, 0xE0}};
// How long the play-out waits before looking again for data or for its due time (100 ns).
const REFERENCE_TIME kPoll = 100000;
// After an overrun the reader resumes this fraction of the ring ahead of the oldest byte.
const ULONGLONG kOverrunMargin = 8;
}

CSimTimeShiftFilter::CSimTimeShiftFilter(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimTimeShift, "timeshift", "simtimeshift:timeshift 1"),
      m_input(*this, L"Input", 0), m_output(*this)
{
}

CBasePin* CSimTimeShiftFilter::GetPin(int index)
{
    return index == 0 ? static_cast<CBasePin*>(&m_input) : index == 1 ? static_cast<CBasePin*>(&m_output) : nullptr;
}

void* CSimTimeShiftFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_ITimeShiftControl))
        return Switches().Omits("ITimeShiftControl") ? nullptr : static_cast<ITimeShiftControl*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimTimeShiftFilter::SetPosition(const LONGLONG* position)
{
    if (position == nullptr)
        return E_POINTER;
    ULONGLONG oldest = m_store.Oldest();
    ULONGLONG available = m_store.End() - oldest;
    ULONGLONG wanted = *position < 0 ? 0 : ((ULONGLONG)*position > available ? available : (ULONGLONG)*position);
    CSimTimeShiftStore::Unit unit;
    ULONGLONG target = m_store.UnitAtOrBefore(oldest + wanted, &unit) ? unit.offset : oldest;
    CCritGuard guard(m_playLock);
    m_read = target;
    m_jumped = true;
    Log().Line("J pos=%I64u", target - oldest);
    return S_OK;
}

STDMETHODIMP CSimTimeShiftFilter::GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current)
{
    if (total == nullptr || available == nullptr || current == nullptr)
        return E_POINTER;
    ULONGLONG oldest = m_store.Oldest();
    ULONGLONG held = m_store.End() - oldest;
    CCritGuard guard(m_playLock);
    *total = m_bufferSize;
    *available = (LONGLONG)held;
    *current = m_read <= oldest ? 0 : (LONGLONG)(m_read - oldest > held ? held : m_read - oldest);
    return S_OK;
}

STDMETHODIMP CSimTimeShiftFilter::SetBufferSize(const LONGLONG* bytes, LONG reserve)
{
    if (bytes == nullptr)
        return E_POINTER;
    CCritGuard state(StateLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (*bytes <= 0)
        return E_INVALIDARG;
    CCritGuard guard(m_playLock);
    m_bufferSize = *bytes;
    m_reserve = reserve;
    Log().Line("B size=%I64d reserve=%ld", *bytes, reserve);
    return S_OK;
}

STDMETHODIMP CSimTimeShiftFilter::Unnamed6(DWORD)
{
    Log().Line("! slot 6 not implemented");
    return E_NOTIMPL;
}

STDMETHODIMP CSimTimeShiftFilter::TogglePause()
{
    CCritGuard guard(m_playLock);
    m_paused = !m_paused;
    // Play-out resumes at the read position, timed afresh from there.
    m_haveBase = false;
    Log().Line(m_paused ? "T pause" : "T run");
    return S_OK;
}

STDMETHODIMP CSimTimeShiftFilter::SetTimeShiftFile(LPCSTR data, LPCSTR index)
{
    if (data == nullptr || index == nullptr || !*data || !*index)
        return E_INVALIDARG;
    CCritGuard state(StateLock());
    if (State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    CCritGuard guard(m_playLock);
    m_dataPath = data;
    m_indexPath = index;
    Log().Line("F %s %s", data, index);
    return S_OK;
}

HRESULT CSimTimeShiftFilter::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    return IsEqualGUID(type.majortype, MEDIATYPE_Stream) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimTimeShiftFilter::ReceiveSample(int, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)))
        return E_POINTER;
    return m_store.Append(data, (size_t)sample->GetActualDataLength());
}

HRESULT CSimTimeShiftFilter::OnPrepare()
{
    CCritGuard guard(m_playLock);
    if (m_dataPath.empty() || m_bufferSize <= 0) {
        Log().Line("! no file or buffer size");
        return E_FAIL;
    }
    HRESULT hr = m_store.Open(m_dataPath, m_indexPath, (ULONGLONG)m_bufferSize);
    if (FAILED(hr)) {
        Log().Line("! open %s failed %08lX", m_dataPath.c_str(), hr);
        return hr;
    }
    m_read = 0;
    m_paused = false;
    m_jumped = false;
    m_haveBase = false;
    return S_OK;
}

void CSimTimeShiftFilter::OnTeardown()
{
    m_store.Close();
}

// What the play-out does next with the unit at the read position.
CSimTimeShiftFilter::Step CSimTimeShiftFilter::NextUnit(CSimTimeShiftStore::Unit* unit, bool* discontinuity)
{
    CCritGuard guard(m_playLock);
    if (m_paused)
        return kWait;
    if (m_jumped) {
        m_jumped = false;
        m_haveBase = false;
        *discontinuity = true;
    }
    ULONGLONG oldest = m_store.Oldest();
    if (m_read < oldest) {
        // Reading from the very oldest unit would race the writer, which overwrites it next:
        // play on from an eighth of the ring further on.
        CSimTimeShiftStore::Unit ahead;
        m_read = m_store.UnitAtOrBefore(oldest + m_store.Size() / kOverrunMargin, &ahead) ? ahead.offset : oldest;
        Log().Line("! overrun");
        m_haveBase = false;
        *discontinuity = true;
    }
    if (!m_store.UnitAt(m_read, unit))
        return kWait;
    REFERENCE_TIME now = 0;
    if (m_output.StreamTime(&now) != S_OK)
        return kStop;
    if (!m_haveBase) {
        m_haveBase = true;
        m_baseStamp = unit->time;
        m_baseTime = now;
    }
    REFERENCE_TIME due = m_baseTime + (unit->time - m_baseStamp) * 1000 / 9;
    if (now < due)
        return kWait;
    m_read += unit->length;
    return kDeliver;
}

HRESULT CSimTimeShiftFilter::PlayOut(IMediaSample* sample)
{
    bool discontinuity = false;
    for (;;) {
        if (State() != State_Running)
            return S_FALSE;
        CSimTimeShiftStore::Unit unit;
        bool jumped = false;
        Step step = NextUnit(&unit, &jumped);
        if (jumped) {
            // A jump: what downstream holds belongs to the old position.
            m_output.DeliverBeginFlush();
            m_output.DeliverEndFlush();
            discontinuity = true;
        }
        if (step == kStop)
            return S_FALSE;
        if (step == kWait) {
            if (m_output.Nap(kPoll) != S_OK)
                return S_FALSE;
            continue;
        }
        BYTE* out = nullptr;
        if (FAILED(sample->GetPointer(&out)) || sample->GetSize() < (long)unit.length)
            return E_FAIL;
        HRESULT hr = m_store.ReadUnit(unit, out);
        if (FAILED(hr))
            continue; // overwritten while waiting: the next round starts further on
        sample->SetActualDataLength((long)unit.length);
        sample->SetTime(nullptr, nullptr);
        sample->SetDiscontinuity(discontinuity);
        Log().Sample("P %I64u %lu", unit.offset, unit.length);
        return S_OK;
    }
}
