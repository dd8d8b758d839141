#include "TestDeviceCategory.h"

#include "ComRef.h"

CTestDeviceCategory::CTestDeviceCategory(REFCLSID category, const Device* devices, size_t count)
    : m_category(category)
    , m_devices(devices, devices + count)
    , m_result(S_OK)
{
    CComRef<IFilterMapper2> mapper;
    m_result = CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                mapper.ReceiveVoid());
    for (size_t i = 0; SUCCEEDED(m_result) && i < count; ++i) {
        REGFILTER2 filter = {};
        filter.dwVersion = 1;
        filter.dwMerit = MERIT_DO_NOT_USE;
        m_result = mapper->RegisterFilter(*devices[i].clsid, devices[i].friendlyName, NULL, &m_category,
                                          devices[i].instanceKey, &filter);
    }
}

CTestDeviceCategory::~CTestDeviceCategory()
{
    CComRef<IFilterMapper2> mapper;
    if (FAILED(CoCreateInstance(CLSID_FilterMapper2, NULL, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                mapper.ReceiveVoid())))
        return;
    for (size_t i = 0; i < m_devices.size(); ++i)
        mapper->UnregisterFilter(&m_category, m_devices[i].instanceKey, *m_devices[i].clsid);
}

CLSID CTestDeviceCategory::ClassOf(IBaseFilter* filter)
{
    CLSID clsid = GUID_NULL;
    if (filter)
        filter->GetClassID(&clsid);
    return clsid;
}
