#include "TransformInput.h"

#include "TransformBaseFilter.h"

CTransformInput::CTransformInput(CTransformBaseFilter& filter, const WCHAR* name)
    : CBaseInputPin(filter, name), m_transform(filter)
{
}

HRESULT CTransformInput::CheckMediaType(const AM_MEDIA_TYPE& type)
{
    return m_transform.CheckInputType(type);
}

HRESULT CTransformInput::OnReceive(IMediaSample* sample)
{
    return m_transform.ProcessSample(sample);
}

HRESULT CTransformInput::OnEndOfStream()
{
    return m_transform.PassEndOfStream();
}

HRESULT CTransformInput::OnBeginFlush()
{
    // Not under the receive lock: the flush is what frees a Receive blocked downstream.
    return m_transform.OutputPin().DeliverBeginFlush();
}

HRESULT CTransformInput::OnEndFlush()
{
    return m_transform.PassEndFlush();
}

HRESULT CTransformInput::OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    return m_transform.OutputPin().DeliverNewSegment(start, stop, rate);
}
