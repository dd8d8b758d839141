#pragma once

#include <dshow.h>

#include <vector>

// Devices of a filter category of the test's own, entered in the prefix through the filter
// mapper as a driver would enter its filters, and removed again when the object goes. Each
// device is one of Wine's stock filters under a FriendlyName of the test's choosing, so the
// class identifier of the bound filter tells which device was bound. The device enumerator
// lists them in the order of their instance keys.
class CTestDeviceCategory
{
public:
    struct Device
    {
        const WCHAR* instanceKey;
        const WCHAR* friendlyName;
        const CLSID* clsid;
    };

    // COM must be initialised on the calling thread.
    CTestDeviceCategory(REFCLSID category, const Device* devices, size_t count);
    ~CTestDeviceCategory();
    CTestDeviceCategory(const CTestDeviceCategory&) = delete;
    CTestDeviceCategory& operator=(const CTestDeviceCategory&) = delete;

    // The first failure of the registration, or S_OK.
    HRESULT Result() const { return m_result; }

    // The class identifier of a filter, or GUID_NULL.
    static CLSID ClassOf(IBaseFilter* filter);

private:
    CLSID m_category;
    std::vector<Device> m_devices;
    HRESULT m_result;
};
