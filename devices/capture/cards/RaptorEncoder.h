#pragma once

#include "EncoderFilterWrapper.h"

// {CFA8C7E7-5FF7-40D3-9B37-C45CBCC9BD53}
inline constexpr GUID kRaptorEncoderSet = {0xCFA8C7E7, 0x5FF7, 0x40D3, {0x9B, 0x37, 0xC4, 0x5C, 0xBC, 0xC9, 0xBD, 0x53}};

// "Conexant Raptor Encoder": the card's encoder on its own property set.
class CRaptorEncoder : public CEncoderFilterWrapper
{
public:
    CRaptorEncoder(CGraphBuilder* graph, REFCLSID clsid) : CEncoderFilterWrapper(graph, clsid, kRaptorEncoderSet) {}
    CRaptorEncoder(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
        : CEncoderFilterWrapper(graph, category, friendlyName, matchMode, kRaptorEncoderSet)
    {
    }
};
