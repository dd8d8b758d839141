// Pin and media-type enumerators, including a list that changes under them.
#include "BaseFilter.h"
#include "BaseInputPin.h"
#include "ComProbe.h"
#include "ComRef.h"
#include "DshowTest.h"

#include <memory>
#include <vector>

namespace {

const GUID CLSID_PinListFilter = {0x4f1d2a37, 0x7c55, 0x4a0e, {0x8e, 0x21, 0x3b, 0x6f, 0x90, 0x0c, 0x5d, 0x42}};

// An input pin offering video types whose subtypes' Data1 are 1 to count.
class CListPin : public CBaseInputPin
{
public:
    CListPin(CBaseFilter& filter, const WCHAR* name) : CBaseInputPin(filter, name) {}
    HRESULT CheckMediaType(const AM_MEDIA_TYPE&) override { return S_OK; }
    HRESULT GetMediaType(int index, CAmMediaType& type) override
    {
        if (index < 0 || index >= count)
            return CBaseInputPin::GetMediaType(index, type);
        type.Clear();
        type.majortype = MEDIATYPE_Video;
        type.subtype = MEDIASUBTYPE_RGB32;
        type.subtype.Data1 = index + 1;
        return S_OK;
    }
    void SetCount(int n)
    {
        count = n;
        MediaTypesChanged();
    }
    int count = 2;

protected:
    HRESULT OnReceive(IMediaSample*) override { return S_OK; }
};

// A filter whose pin list grows, as a multiplexer's does.
class CPinListFilter : public CBaseFilter
{
public:
    CPinListFilter() : CBaseFilter(nullptr, CLSID_PinListFilter) { AddPin(L"A"); AddPin(L"B"); }
    int GetPinCount() override { return static_cast<int>(m_pins.size()); }
    CBasePin* GetPin(int index) override { return m_pins[index].get(); }
    void AddPin(const WCHAR* name)
    {
        m_pins.emplace_back(new CListPin(*this, name));
        IncrementPinVersion();
    }
    CListPin& Pin(int index) { return *m_pins[index]; }

protected:
    HRESULT PausedStateResult() override { return S_OK; }

private:
    std::vector<std::unique_ptr<CListPin>> m_pins;
};

using EnumeratorTest = DshowTest;

void ReleaseAll(IPin** pins, ULONG count)
{
    for (ULONG i = 0; i < count; ++i)
        pins[i]->Release();
}

TEST_F(EnumeratorTest, PinEnumeratorWalksThePinsAndNoticesANewPin)
{
    auto* filter = new CPinListFilter();
    CComRef<IEnumPins> pins;
    ASSERT_EQ(S_OK, filter->EnumPins(pins.Receive()));
    EXPECT_EQ(2u, CComProbe::RefCount(static_cast<IBaseFilter*>(filter))) << "the enumerator holds the filter";

    IPin* got[3] = {};
    ULONG fetched = 99;
    EXPECT_EQ(E_POINTER, pins->Next(2, got, nullptr));
    EXPECT_EQ(S_FALSE, pins->Next(3, got, &fetched));
    ASSERT_EQ(2u, fetched);
    EXPECT_EQ(static_cast<IPin*>(&filter->Pin(0)), got[0]);
    EXPECT_EQ(static_cast<IPin*>(&filter->Pin(1)), got[1]);
    ReleaseAll(got, fetched);

    EXPECT_EQ(S_OK, pins->Reset());
    EXPECT_EQ(S_OK, pins->Skip(1));
    CComRef<IEnumPins> clone;
    ASSERT_EQ(S_OK, pins->Clone(clone.Receive()));
    EXPECT_EQ(S_OK, clone->Next(1, got, nullptr));
    EXPECT_EQ(static_cast<IPin*>(&filter->Pin(1)), got[0]);
    ReleaseAll(got, 1);
    EXPECT_EQ(S_FALSE, pins->Skip(2));

    filter->AddPin(L"C");
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, pins->Next(1, got, &fetched));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, pins->Skip(1));
    EXPECT_EQ(S_OK, pins->Reset());
    EXPECT_EQ(S_OK, pins->Next(3, got, &fetched));
    EXPECT_EQ(3u, fetched);
    ReleaseAll(got, fetched);

    IPin* found = nullptr;
    EXPECT_EQ(S_OK, filter->FindPin(L"C", &found));
    EXPECT_EQ(static_cast<IPin*>(&filter->Pin(2)), found);
    found->Release();
    EXPECT_EQ(VFW_E_NOT_FOUND, filter->FindPin(L"D", &found));
    EXPECT_EQ(nullptr, found);

    pins.Reset();
    clone.Reset();
    EXPECT_EQ(0u, filter->Release());
}

TEST_F(EnumeratorTest, MediaTypeEnumeratorCopiesTypesAndNoticesAChangedList)
{
    auto* filter = new CPinListFilter();
    CListPin& pin = filter->Pin(0);
    CComRef<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, pin.EnumMediaTypes(types.Receive()));

    AM_MEDIA_TYPE* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, types->Next(3, got, &fetched));
    ASSERT_EQ(2u, fetched);
    for (ULONG i = 0; i < fetched; ++i) {
        EXPECT_EQ(i + 1, got[i]->subtype.Data1);
        CAmMediaType::Delete(got[i]);
    }
    EXPECT_EQ(S_OK, types->Reset());
    EXPECT_EQ(S_OK, types->Skip(2));
    EXPECT_EQ(S_FALSE, types->Skip(1));

    pin.SetCount(3);
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, types->Next(1, got, nullptr));
    CComRef<IEnumMediaTypes> clone;
    EXPECT_EQ(VFW_E_ENUM_OUT_OF_SYNC, types->Clone(clone.Receive()));
    EXPECT_EQ(S_OK, types->Reset());
    EXPECT_EQ(S_OK, types->Skip(2));
    ASSERT_EQ(S_OK, types->Clone(clone.Receive()));
    ASSERT_EQ(S_OK, clone->Next(1, got, nullptr));
    EXPECT_EQ(3u, got[0]->subtype.Data1);
    CAmMediaType::Delete(got[0]);

    types.Reset();
    clone.Reset();
    EXPECT_EQ(0u, filter->Release());
}

} // namespace
