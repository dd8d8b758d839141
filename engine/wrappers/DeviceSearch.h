#pragma once

#include <dshow.h>

// Finds a device of one category through the system device enumerator by its FriendlyName,
// the way the engine asks for its card's filters.
//
// Names are compared on their first min(length) - 1 characters: a device whose name begins
// with the requested one answers it, and the last character of the shorter name is never
// compared. A name of fewer than two characters answers nothing, since it would leave no
// character to compare and so match every device.
class CDeviceSearch
{
public:
    static BOOL NamesMatch(const char* deviceName, const char* requested);

    // Match mode 0 binds the index-th device (from 0) whose name matches; any other mode binds
    // the first device whose name does not. On success *filter holds the device's filter and
    // deviceName its FriendlyName. Fails with the failing COM call's result, or E_FAIL when no
    // device qualified.
    static HRESULT Bind(REFCLSID category, const char* requested, int matchMode, int index,
                        IBaseFilter** filter, char* deviceName, int deviceNameSize);
};

// The first device of the category whose name matches, as a device class opens the further
// filters of its card.
HRESULT CreateDeviceFilterByName(REFCLSID category, const char* friendlyName, IBaseFilter** filter);
