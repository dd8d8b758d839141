#pragma once

#include "EncoderCardProperties.h"
#include "EncoderFilterWrapper.h"

// "BlackBird MPEG Encoder": the card's encoder on the encoder cards' property set.
class CBlackbirdEncoder : public CEncoderFilterWrapper
{
public:
    CBlackbirdEncoder(CGraphBuilder* graph, REFCLSID clsid) : CEncoderFilterWrapper(graph, clsid, kEncoderCardSet) {}
    CBlackbirdEncoder(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
        : CEncoderFilterWrapper(graph, category, friendlyName, matchMode, kEncoderCardSet)
    {
    }
};
