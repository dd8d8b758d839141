#include "SimFilterFixture.h"

#include <algorithm>

namespace
{
const GUID PROPSETID_KsDeviceControl = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };
const IID IID_KsObject = { 0x423C13A2, 0x2070, 0x11D0, { 0x9E, 0xF7, 0x00, 0xAA, 0x00, 0xA2, 0x16, 0xA1 } };
const GUID PROPSETID_SimCard = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };

bool Lists(const std::vector<std::string>& names, const char* name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}
}

class SimFilterTest : public SimFilterFixture
{
};

TEST_F(SimFilterTest, DeviceEnumeratorListsTheFiltersInTheirCategories)
{
    EXPECT_TRUE(Lists(SimDevices::Names(CLSID_VideoInputDeviceCategory), "Conexant 2388x_1 Video Capture"));
    EXPECT_TRUE(Lists(SimDevices::Names(AM_KSCATEGORY_CROSSBAR), "Conexant 2388x_1 Crossbar"));
    EXPECT_TRUE(Lists(SimDevices::Names(AM_KSCATEGORY_TVTUNER), "Conexant 2388x_1 Tuner"));
    std::vector<std::string> audio = SimDevices::Names(CLSID_AudioInputDeviceCategory);
    ASSERT_FALSE(audio.empty());
    EXPECT_EQ("Conexant 2388x_1 Audio Capture", audio[0]);
    EXPECT_FALSE(Lists(SimDevices::Names(CLSID_VideoInputDeviceCategory), "Conexant 2388x_1 Tuner"));
}

// Read the tuner type from the EEPROM, tune a type-11 module to 471250 kHz and read its status.
TEST_F(SimFilterTest, TunerFilterReadsTheEepromAndTunes)
{
    control("tv 49750 471250");
    SimFilterRequests bus(tuner.Get());
    ASSERT_TRUE(bus.Attached());
    BYTE type = 0;
    ASSERT_EQ(S_OK, bus.ReadByte(0xA0, 0x21, &type));
    EXPECT_EQ(0x0B, type);

    ASSERT_EQ(S_OK, bus.Write({ 0xC0, 0x1F, 0xE2, 0xCE, 0x30 }));
    EXPECT_TRUE(Traced("T TV N=8162 t=471225 band=3 ok d=+25"));
    Sleep(30);
    EXPECT_EQ(0x42, bus.Status(0xC1));

    control("tv 49750");
    EXPECT_EQ(0x40, bus.Status(0xC1));
    EXPECT_EQ((HRESULT)0x8007045D, bus.ReadByte(0x42, 0, &type));
}

TEST_F(SimFilterTest, TunerFilterServesOnlyTheCardsSet)
{
    CComRef<IKsPropertySet> set;
    ASSERT_EQ(S_OK, tuner->QueryInterface(IID_IKsPropertySet, set.ReceiveVoid()));
    DWORD support = 0;
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, set->QuerySupported(PROPSETID_KsDeviceControl, 4, &support));
    EXPECT_EQ(S_OK, set->QuerySupported(PROPSETID_SimCard, 0, &support));
    EXPECT_EQ((DWORD)KSPROPERTY_SUPPORT_GET, support);
    BYTE buffer[48] = {};
    DWORD returned = 0;
    EXPECT_EQ(E_PROP_SET_UNSUPPORTED, set->Get(PROPSETID_KsDeviceControl, 0, buffer + 24, 24, buffer, 48, &returned));

    CComRef<IAMTVTuner> tv;
    EXPECT_EQ(E_NOINTERFACE, tuner->QueryInterface(IID_IAMTVTuner, tv.ReceiveVoid()));
    CComRef<IUnknown> ks;
    EXPECT_EQ(E_NOINTERFACE, tuner->QueryInterface(IID_KsObject, ks.ReceiveVoid()));
    CComRef<IEnumPins> pins;
    ASSERT_EQ(S_OK, tuner->EnumPins(pins.Receive()));
    CComRef<IPin> pin;
    EXPECT_EQ(S_FALSE, pins->Next(1, pin.Receive(), nullptr));
}

TEST_F(SimFilterTest, GpioReadsBackUnderItsMaskAndShowsAnInjectedKey)
{
    SimFilterRequests bus(tuner.Get());
    ASSERT_EQ(S_OK, bus.WriteGpio(0x00FF0000, 0x00A50000));
    DWORD value = 0;
    ASSERT_EQ(S_OK, bus.ReadGpio(0x00FF0000, &value));
    EXPECT_EQ(0x00A50000u, value);

    control("reset");
    control("key C3 500");
    ASSERT_EQ(S_OK, bus.ReadGpio(0x0FFFFFFF, &value));
    EXPECT_EQ(0x003C8600u, value);
    EXPECT_EQ(0xC3, (BYTE) ~(value >> 16));
}

TEST_F(SimFilterTest, CaptureFilterSharesTheCardWithTheTuner)
{
    control("tv 49750 471250");
    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    ASSERT_TRUE(capture);
    CComRef<IAMAnalogVideoDecoder> decoder;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid()));
    long locked = -1;
    ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(0, locked);

    SimFilterRequests tunerBus(tuner.Get());
    ASSERT_EQ(S_OK, tunerBus.Write({ 0xC0, 0x05, 0x8A, 0xCE, 0xA0 }));
    Sleep(30);
    ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(1, locked);

    // The capture filter serves the same set on the same card.
    SimFilterRequests captureBus(capture.Get());
    EXPECT_EQ(0x42, captureBus.Status(0xC1));
}

TEST_F(SimFilterTest, CrossbarRoutesIntoTheCard)
{
    CComRef<IBaseFilter> filter = Bind(AM_KSCATEGORY_CROSSBAR, "Conexant 2388x_1 Crossbar");
    ASSERT_TRUE(filter);
    CComRef<IAMCrossbar> crossbar;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IAMCrossbar, crossbar.ReceiveVoid()));
    long outputs = 0, inputs = 0;
    ASSERT_EQ(S_OK, crossbar->get_PinCounts(&outputs, &inputs));
    EXPECT_EQ(2, outputs);
    EXPECT_EQ(7, inputs);

    const struct
    {
        BOOL input;
        long index;
        long related;
        long type;
    } jacks[] = {
        { TRUE, 0, 6, PhysConn_Video_SVideo },    { TRUE, 1, 4, PhysConn_Video_Tuner },
        { TRUE, 2, 5, PhysConn_Video_Composite }, { TRUE, 3, -1, PhysConn_Video_Composite },
        { TRUE, 4, 1, PhysConn_Audio_Tuner },     { TRUE, 5, 2, PhysConn_Audio_Line },
        { TRUE, 6, 0, PhysConn_Audio_Line },      { FALSE, 0, 1, PhysConn_Video_VideoDecoder },
        { FALSE, 1, 0, PhysConn_Audio_AudioDecoder },
    };
    for (const auto& j : jacks) {
        long related = -2, type = 0;
        ASSERT_EQ(S_OK, crossbar->get_CrossbarPinInfo(j.input, j.index, &related, &type)) << j.index;
        EXPECT_EQ(j.related, related) << j.input << " " << j.index;
        EXPECT_EQ(j.type, type) << j.input << " " << j.index;
    }

    long routed = -2;
    ASSERT_EQ(S_OK, crossbar->get_IsRoutedTo(0, &routed));
    EXPECT_EQ(1, routed);
    ASSERT_EQ(S_OK, crossbar->get_IsRoutedTo(1, &routed));
    EXPECT_EQ(4, routed);
    EXPECT_EQ(E_INVALIDARG, crossbar->Route(2, 0));
    EXPECT_EQ(E_INVALIDARG, crossbar->Route(0, 7));
    EXPECT_EQ(E_FAIL, crossbar->Route(0, 4));
    EXPECT_EQ(E_FAIL, crossbar->CanRoute(1, 2));

    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    CComRef<IAMAnalogVideoDecoder> decoder;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid()));
    long locked = -1;
    ASSERT_EQ(S_OK, crossbar->Route(0, 2));
    EXPECT_TRUE(Traced("X out=0 in=2"));
    ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(1, locked);
    ASSERT_EQ(S_OK, crossbar->Route(0, 0));
    ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(0, locked);
    control("signal svideo on");
    ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(1, locked);
    ASSERT_EQ(S_OK, crossbar->Route(0, -1));
    ASSERT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(0, locked);
}

TEST_F(SimFilterTest, CrossbarPinsNeverConnect)
{
    CComRef<IBaseFilter> filter = Bind(AM_KSCATEGORY_CROSSBAR, "Conexant 2388x_1 Crossbar");
    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    CComRef<IGraphBuilder> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     graph.ReceiveVoid()));
    ASSERT_EQ(S_OK, graph->AddFilter(filter.Get(), L"Crossbar"));
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"Capture"));
    CComRef<IPin> out, in;
    ASSERT_EQ(S_OK, filter->FindPin(L"Video Decoder Out", out.Receive()));
    ASSERT_EQ(S_OK, filter->FindPin(L"Video Tuner In", in.Receive()));
    CComRef<IPin> capturePin;
    ASSERT_EQ(S_OK, capture->FindPin(L"Capture", capturePin.Receive()));
    EXPECT_TRUE(FAILED(graph->ConnectDirect(out.Get(), capturePin.Get(), nullptr)));
    CComRef<IPin> peer;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, out->ConnectedTo(peer.Receive()));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectedTo(peer.Receive()));
}

TEST_F(SimFilterTest, DecoderAndProcAmpKeepTheirValuesInTheCard)
{
    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    CComRef<IAMAnalogVideoDecoder> decoder;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IAMAnalogVideoDecoder, decoder.ReceiveVoid()));
    long value = 0;
    ASSERT_EQ(S_OK, decoder->get_AvailableTVFormats(&value));
    EXPECT_EQ(0x001FFFF7, value);
    ASSERT_EQ(S_OK, decoder->get_TVFormat(&value));
    EXPECT_EQ(AnalogVideo_PAL_D, value);
    ASSERT_EQ(S_OK, decoder->get_NumberOfLines(&value));
    EXPECT_EQ(625, value);
    EXPECT_EQ(E_INVALIDARG, decoder->put_TVFormat(AnalogVideo_PAL_D | AnalogVideo_PAL_B));
    EXPECT_EQ(E_INVALIDARG, decoder->put_TVFormat(0x00000008));
    ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_NTSC_M_J));
    EXPECT_TRUE(Traced("V tvformat=00000002"));
    ASSERT_EQ(S_OK, decoder->get_NumberOfLines(&value));
    EXPECT_EQ(525, value);

    CComRef<IAMVideoProcAmp> procAmp;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IAMVideoProcAmp, procAmp.ReceiveVoid()));
    const struct
    {
        long property;
        long max;
        long def;
    } ranges[] = { { VideoProcAmp_Brightness, 10000, 5000 }, { VideoProcAmp_Contrast, 10000, 5000 },
                   { VideoProcAmp_Hue, 10000, 5000 },        { VideoProcAmp_Saturation, 10000, 5000 },
                   { VideoProcAmp_Sharpness, 10000, 5000 },  { VideoProcAmp_ColorEnable, 1, 1 } };
    for (const auto& r : ranges) {
        long min = -1, max = 0, step = 0, def = 0, caps = 0;
        ASSERT_EQ(S_OK, procAmp->GetRange(r.property, &min, &max, &step, &def, &caps)) << r.property;
        EXPECT_EQ(0, min);
        EXPECT_EQ(r.max, max);
        EXPECT_EQ(1, step);
        EXPECT_EQ(r.def, def);
        EXPECT_EQ(VideoProcAmp_Flags_Manual, caps);
    }
    long min, max, step, def, caps;
    EXPECT_EQ(E_PROP_ID_UNSUPPORTED, procAmp->GetRange(VideoProcAmp_Gamma, &min, &max, &step, &def, &caps));
    EXPECT_EQ(E_INVALIDARG, procAmp->Set(VideoProcAmp_Contrast, 10001, VideoProcAmp_Flags_Manual));
    ASSERT_EQ(S_OK, procAmp->Set(VideoProcAmp_Contrast, 7000, VideoProcAmp_Flags_Manual));

    // Another filter object of the same card sees the same values.
    CComRef<IBaseFilter> again = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    CComRef<IAMVideoProcAmp> procAmp2;
    ASSERT_EQ(S_OK, again->QueryInterface(IID_IAMVideoProcAmp, procAmp2.ReceiveVoid()));
    long flags = 0;
    ASSERT_EQ(S_OK, procAmp2->Get(VideoProcAmp_Contrast, &value, &flags));
    EXPECT_EQ(7000, value);
}

TEST_F(SimFilterTest, CaptureFilterIsALiveSource)
{
    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    CComRef<IAMFilterMiscFlags> flags;
    ASSERT_EQ(S_OK, capture->QueryInterface(IID_IAMFilterMiscFlags, flags.ReceiveVoid()));
    EXPECT_EQ((ULONG)AM_FILTER_MISC_FLAGS_IS_SOURCE, flags->GetMiscFlags());
    CComRef<IAMStreamConfig> config;
    EXPECT_EQ(E_NOINTERFACE, capture->QueryInterface(IID_IAMStreamConfig, config.ReceiveVoid()));
    ASSERT_EQ(S_OK, capture->Pause());
    FILTER_STATE state;
    EXPECT_EQ(VFW_S_CANT_CUE, capture->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    ASSERT_EQ(S_OK, capture->Stop());
}

TEST_F(SimFilterTest, CaptureGraphBuilderFindsBothPins)
{
    CComRef<IBaseFilter> capture = Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture");
    CComRef<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, builder.ReceiveVoid()));
    for (const GUID* category : { &PIN_CATEGORY_CAPTURE, &PIN_CATEGORY_PREVIEW }) {
        CComRef<IPin> pin;
        ASSERT_EQ(S_OK, builder->FindInterface(category, &MEDIATYPE_Video, capture.Get(), IID_IPin, pin.ReceiveVoid()));
        PIN_INFO info;
        ASSERT_EQ(S_OK, pin->QueryPinInfo(&info));
        info.pFilter->Release();
        EXPECT_STREQ(category == &PIN_CATEGORY_CAPTURE ? L"Capture" : L"Preview", info.achName);
        CComRef<IAMStreamConfig> config;
        EXPECT_EQ(S_OK, builder->FindInterface(category, &MEDIATYPE_Video, capture.Get(), IID_IAMStreamConfig,
                                               config.ReceiveVoid()));
    }
}
