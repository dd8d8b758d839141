#include "TransformOutput.h"

#include "TransformBaseFilter.h"

CTransformOutput::CTransformOutput(CTransformBaseFilter& filter, const WCHAR* name)
    : CBaseOutputPin(filter, name), m_transform(filter)
{
}

HRESULT CTransformOutput::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    CTransformInput& input = m_transform.InputPin();
    if (!input.IsConnected())
        return VFW_E_NOT_CONNECTED;
    return m_transform.CheckTransform(input.ConnectionType(), type);
}

HRESULT CTransformOutput::GetMediaType(int index, CAmMediaType& type)
{
    CTransformInput& input = m_transform.InputPin();
    if (index < 0 || !input.IsConnected())
        return CBaseOutputPin::GetMediaType(index, type);
    return m_transform.GetOutputType(index, input.ConnectionType(), type);
}

HRESULT CTransformOutput::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    return m_transform.DecideBufferSize(allocator, request);
}
