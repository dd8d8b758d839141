#pragma once

#include "TestDeviceCategory.h"

#include "StockFilters.h"

// A set of devices with similar FriendlyNames, as several cards and drivers present them,
// each one of Wine's stock filters that the test prefix does not replace; the two devices of
// the same name are different filters. Instance keys give the enumerator's order.
inline const CTestDeviceCategory::Device kSimilarDevices[] = {
    // instance key  FriendlyName                             filter
    {L"Vexa-0",      L"Vexa 2388x Video Capture",            &CLSID_NullRenderer},
    {L"Vexa-1",      L"Vexa 2388x_1 Video Capture",          &CLSID_SampleGrabber},
    {L"Vexa-2",      L"Vexa 2388x_1 Video Capture",          &CLSID_SmartTee},
    {L"Vexa-3",      L"Vexa 2388x_1 Video Capture Plus",     &CLSID_AVIDec},
    {L"Vexa-4",      L"Vexa 2388x_1 Video CapturX",          &CLSID_NullRenderer},
    {L"Vexa-5",      L"V",                                   &CLSID_NullRenderer},
    {L"Vexa-6",      L"维克萨视频采集卡",                    &CLSID_NullRenderer},
};
inline const size_t kSimilarDeviceCount = sizeof(kSimilarDevices) / sizeof(kSimilarDevices[0]);
