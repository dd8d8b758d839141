#include "VfwCompressorFilter.h"

CVfwCompressorFilter::CVfwCompressorFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CVfwCompressorFilter::CVfwCompressorFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                           int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CVfwCompressorFilter::~CVfwCompressorFilter() = default;

BOOL CVfwCompressorFilter::Init()
{
    m_dialogs.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    GetFilter()->QueryInterface(IID_IAMVfwCompressDialogs, m_dialogs.ReceiveVoid());
    return TRUE;
}

BOOL CVfwCompressorFilter::GetDialogState(void* buffer, int* size)
{
    if (!m_dialogs || size == NULL)
        return FALSE;
    return m_dialogs->GetState(buffer, size) == S_OK;
}

BOOL CVfwCompressorFilter::SetDialogState(void* buffer, int size)
{
    return m_dialogs && m_dialogs->SetState(buffer, size) == S_OK;
}

BOOL CVfwCompressorFilter::ShowDialog(int kind, HWND parent)
{
    return m_dialogs && SUCCEEDED(m_dialogs->ShowDialog(kind, parent));
}
