#include "GraphBuilderFixture.h"

#include <algorithm>

std::vector<std::wstring> GraphBuilderTest::FilterNames()
{
    std::vector<std::wstring> names;
    CComRef<IEnumFilters> filters;
    if (FAILED(builder->GetGraph()->EnumFilters(filters.Receive())))
        return names;
    CComRef<IBaseFilter> filter;
    while (filters->Next(1, filter.Receive(), nullptr) == S_OK) {
        FILTER_INFO info;
        if (FAILED(filter->QueryFilterInfo(&info)))
            continue;
        names.push_back(info.achName);
        if (info.pGraph)
            info.pGraph->Release();
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<CFilterWrapper*> GraphBuilderTest::Wrappers()
{
    std::vector<CFilterWrapper*> wrappers;
    for (CFilterWrapper* wrapper = builder->GetFirstWrapper(); wrapper; wrapper = wrapper->GetNext())
        wrappers.push_back(wrapper);
    return wrappers;
}

bool GraphBuilderTest::IsConnected(CFilterPin* pin)
{
    CComRef<IPin> other;
    return pin->GetPin()->ConnectedTo(other.Receive()) == S_OK;
}
