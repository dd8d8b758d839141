#include "GraphTestRecords.h"

#include "CountedWrapper.h"
#include "RefusingFilter.h"
#include "StockFilters.h"
#include "TestSource.h"

const GUID kGraphTestCategory = {0x41395894, 0xF266, 0x4C7D, {0xAF, 0xAA, 0x5F, 0x5D, 0x4B, 0xC3, 0xE4, 0xEF}};
const CLSID kTestSourceClsid = {0xA1A45089, 0xB234, 0x4AB8, {0x87, 0x0A, 0xB5, 0xEA, 0xF9, 0xF6, 0xAB, 0xEB}};
const CLSID kTestSinkClsid = {0x6345A9C5, 0x41DE, 0x4BC6, {0xBC, 0x7E, 0xED, 0x4F, 0x50, 0xBF, 0xC9, 0xDA}};
const CLSID kRefusingClsid = {0xD6BB54F2, 0x71F1, 0x47DD, {0x8A, 0x5B, 0xF5, 0xCB, 0xDD, 0x28, 0xBE, 0x0D}};

namespace
{
// A create function for filters that live in the test program: the wrapper holds a new one.
template <class F>
CFilterWrapper* CreateInProcess(const CFilterClassRecord&, CGraphBuilder* graph, int)
{
    F* filter = new F();
    CFilterWrapper* wrapper = new CCountedWrapper(graph, static_cast<IBaseFilter*>(filter));
    filter->Release();
    return wrapper;
}
}

CFilterClassRecord g_nullRendererRecord(&CLSID_NullRenderer, nullptr, "Null Renderer (test)",
                                        &CFilterClassRecord::CreateWrapper<CCountedWrapper>);
CFilterClassRecord g_vexaCaptureRecord(nullptr, &kGraphTestCategory, "Vexa 2388x_1 Video Capture",
                                       &CFilterClassRecord::CreateWrapper<CCountedWrapper>);
// Stands in for the card's own device class until that class has its record.
CFilterClassRecord g_simCaptureRecord(nullptr, &CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture",
                                      &CFilterClassRecord::CreateWrapper<CCountedWrapper>);
CFilterClassRecord g_testSourceRecord(&kTestSourceClsid, nullptr, "Test Source", &CreateInProcess<CTestSource>);
CFilterClassRecord g_testSinkRecord(&kTestSinkClsid, nullptr, "Test Sink", &CreateInProcess<CTestSink>);
CFilterClassRecord g_refusingRecord(&kRefusingClsid, nullptr, "Refusing Filter", &CreateInProcess<CRefusingFilter>);
