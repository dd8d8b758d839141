#include "FilterWrapper.h"

#include "DebugLog.h"
#include "DeviceSearch.h"
#include "NameBuffer.h"

#include <olectl.h>

#include <cstring>
#include <cwchar>

int CFilterWrapper::s_deviceIndex = 0;

CFilterWrapper::CFilterWrapper(CGraphBuilder* graph, REFCLSID clsid)
{
    InitFields(graph);
    if (SUCCEEDED(Check("CoCreateInstance",
                        CoCreateInstance(clsid, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter, m_filter.ReceiveVoid()))))
        m_valid = EnumeratePins();
}

CFilterWrapper::CFilterWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
{
    InitFields(graph);
    if (SUCCEEDED(Check("BindToObject", CDeviceSearch::Bind(category, friendlyName, matchMode, s_deviceIndex,
                                                            m_filter.Receive(), m_friendlyName,
                                                            sizeof(m_friendlyName)))))
        m_valid = EnumeratePins();
}

CFilterWrapper::CFilterWrapper(CGraphBuilder* graph, IBaseFilter* filter)
{
    InitFields(graph);
    if (filter == NULL)
        return;
    FILTER_INFO info;
    if (SUCCEEDED(Check("QueryFilterInfo", filter->QueryFilterInfo(&info)))) {
        CNameBuffer::FromWide(m_friendlyName, sizeof(m_friendlyName), info.achName);
        CNameBuffer::Copy(m_name, sizeof(m_name), m_friendlyName);
        if (info.pGraph)
            info.pGraph->Release();
    }
    m_filter = filter;
    m_valid = EnumeratePins();
}

void CFilterWrapper::InitFields(CGraphBuilder* graph)
{
    m_valid = FALSE;
    m_name[0] = '\0';
    memset(m_friendlyName, 0, sizeof(m_friendlyName));
    m_pinCount = 0;
    m_next = NULL;
    m_firstPin = NULL;
    m_dynamicPins = FALSE;
    m_failureLogged = FALSE;
    m_graph = graph;
}

CFilterWrapper::~CFilterWrapper()
{
    ClearPins();
    m_valid = FALSE;
}

CFilterPin* CFilterWrapper::FindPin(const char* name)
{
    if (name == NULL)
        return NULL;
    for (CFilterPin* pin = m_firstPin; pin; pin = pin->GetNext()) {
        if (strcmp(pin->GetName(), name) == 0)
            return pin;
    }
    return NULL;
}

void CFilterWrapper::Configure()
{
}

HRESULT CFilterWrapper::Check(const char* call, HRESULT hr)
{
    if (FAILED(hr) && !InterlockedExchange(&m_failureLogged, TRUE))
        DEBUG_LOG("%s failed, hr 0x%08lX, filter \"%s\"", call, (unsigned long)hr,
                  m_name[0] ? m_name : m_friendlyName);
    return hr;
}

BOOL CFilterWrapper::Init()
{
    return m_filter ? TRUE : FALSE;
}

void CFilterWrapper::SetName(const char* name)
{
    CNameBuffer::Copy(m_name, sizeof(m_name), name);
}

BOOL CFilterWrapper::EnumeratePins()
{
    ClearPins();
    CComRef<IEnumPins> pins;
    if (!m_filter || FAILED(Check("EnumPins", m_filter->EnumPins(pins.Receive()))) || !pins)
        return TRUE;
    pins->Reset();
    CComRef<IPin> pin;
    while (pins->Next(1, pin.Receive(), NULL) == S_OK)
        AppendPin(new CFilterPin(this, pin.Get()));
    return TRUE;
}

BOOL CFilterWrapper::RefreshPins()
{
    if (!m_dynamicPins)
        return TRUE;
    CComRef<IEnumPins> pins;
    if (!m_filter || FAILED(Check("EnumPins", m_filter->EnumPins(pins.Receive()))) || !pins)
        return TRUE;

    CFilterPin* oldPins = m_firstPin;
    m_firstPin = NULL;
    m_pinCount = 0;
    pins->Reset();
    CComRef<IPin> pin;
    while (pins->Next(1, pin.Receive(), NULL) == S_OK) {
        CFilterPin* record = NULL;
        for (CFilterPin** link = &oldPins; *link; link = &(*link)->m_next) {
            if ((*link)->GetPin() == pin.Get()) {
                record = *link;
                *link = record->m_next;
                break;
            }
        }
        AppendPin(record ? record : new CFilterPin(this, pin.Get()));
    }
    while (oldPins) {
        CFilterPin* next = oldPins->GetNext();
        delete oldPins;
        oldPins = next;
    }
    return TRUE;
}

void CFilterWrapper::AppendPin(CFilterPin* pin)
{
    pin->m_next = NULL;
    CFilterPin** link = &m_firstPin;
    while (*link)
        link = &(*link)->m_next;
    *link = pin;
    ++m_pinCount;
}

void CFilterWrapper::ClearPins()
{
    while (m_firstPin) {
        CFilterPin* next = m_firstPin->GetNext();
        delete m_firstPin;
        m_firstPin = next;
    }
    m_pinCount = 0;
}

BOOL CFilterWrapper::RemovePin(CFilterPin* pin)
{
    for (CFilterPin** link = &m_firstPin; *link; link = &(*link)->m_next) {
        if (*link == pin) {
            *link = pin->m_next;
            --m_pinCount;
            delete pin;
            return TRUE;
        }
    }
    return FALSE;
}

CFilterPin* CFilterWrapper::FindPinByIPin(IPin* ipin)
{
    for (CFilterPin* pin = m_firstPin; pin; pin = pin->GetNext()) {
        if (pin->GetPin() == ipin)
            return pin;
    }
    return NULL;
}

CFilterPin* CFilterWrapper::FindFreePin(int direction, BOOL unconnected)
{
    for (CFilterPin* pin = m_firstPin; pin; pin = pin->GetNext()) {
        PIN_DIRECTION pinDirection;
        if (!pin->QueryDirection(&pinDirection) || (int)pinDirection != direction)
            continue;
        if ((pin->GetPeer() == NULL) == (unconnected != FALSE))
            return pin;
    }
    return NULL;
}

BOOL CFilterWrapper::IsInGraph()
{
    FILTER_INFO info;
    if (!m_filter || FAILED(Check("QueryFilterInfo", m_filter->QueryFilterInfo(&info))))
        return FALSE;
    if (info.pGraph == NULL)
        return FALSE;
    info.pGraph->Release();
    return TRUE;
}

CFilterPin* CFilterWrapper::GetPin(int index)
{
    if (index >= m_pinCount)
        return NULL;
    CFilterPin* pin = m_firstPin;
    for (int i = 0; i < index && pin; ++i)
        pin = pin->GetNext();
    return pin;
}

CFilterPin* CFilterWrapper::FindPinById(const WCHAR* id)
{
    if (id == NULL)
        return NULL;
    for (CFilterPin* pin = m_firstPin; pin; pin = pin->GetNext()) {
        LPWSTR pinId = NULL;
        if (!pin->QueryId(&pinId))
            continue;
        bool same = pinId && wcscmp(pinId, id) == 0;
        CoTaskMemFree(pinId);
        if (same)
            return pin;
    }
    return NULL;
}

HRESULT CFilterWrapper::HasPropertyPages(BOOL* hasPages)
{
    if (hasPages == NULL)
        return E_INVALIDARG;
    *hasPages = FALSE;
    CComRef<ISpecifyPropertyPages> specify;
    if (!m_filter || FAILED(m_filter.QueryTo(specify)))
        return S_OK;
    CAUUID pages = {0, NULL};
    if (SUCCEEDED(specify->GetPages(&pages)) && pages.cElems > 0)
        *hasPages = TRUE;
    CoTaskMemFree(pages.pElems);
    return S_OK;
}

BOOL CFilterWrapper::ShowPropertyPages(HWND parent, const char* caption)
{
    WCHAR wideCaption[MAX_PATH] = L"";
    if (caption)
        MultiByteToWideChar(CP_ACP, 0, caption, -1, wideCaption, MAX_PATH - 1);
    BOOL hasPages = FALSE;
    if (FAILED(HasPropertyPages(&hasPages)) || !hasPages)
        return FALSE;
    CComRef<ISpecifyPropertyPages> specify;
    if (FAILED(m_filter.QueryTo(specify)))
        return FALSE;
    CAUUID pages = {0, NULL};
    if (FAILED(Check("GetPages", specify->GetPages(&pages))))
        return FALSE;
    IUnknown* object = m_filter.Get();
    HRESULT hr = Check("OleCreatePropertyFrame", OleCreatePropertyFrame(parent, 30, 30, caption ? wideCaption : NULL,
                                                                        1, &object, pages.cElems, pages.pElems, 0, 0,
                                                                        NULL));
    CoTaskMemFree(pages.pElems);
    return hr == S_OK;
}
