#include "CSimTunerFilter.h"

#include "SimGuids.h"

CSimTunerFilter::CSimTunerFilter(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimTuner, "tuner"), m_properties(*this)
{
}

void* CSimTunerFilter::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IKsPropertySet))
        return static_cast<IKsPropertySet*>(&m_properties);
    return CSimFilter::FindInterface(iid);
}
