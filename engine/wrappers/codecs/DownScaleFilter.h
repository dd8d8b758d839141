#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// InterVideo's down-scale filter: halving across and down, parameters 1792 and 1793. Registered,
// never requested.
class CDownScaleFilter : public CFilterWrapper
{
public:
    CDownScaleFilter(CGraphBuilder* graph, REFCLSID clsid);
    CDownScaleFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CDownScaleFilter() override;

    BOOL Init() override;

    enum { kHorizontal = 1792, kVertical = 1793 };

    // Each flag TRUE when its parameter is above 0.
    BOOL GetScale(BOOL* horizontal, BOOL* vertical);
    BOOL SetScale(BOOL horizontal, BOOL vertical);

private:
    CComRef<IIviParams> m_params;
};
