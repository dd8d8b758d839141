#pragma once

#include "BridgeBoxCapture.h"

// The TridVid pair: the boxes on the short-block transport, whose EEPROM blocks must lie
// within the part's 256 bytes as given, offset unwrapped.
class CShortBlockBoxCapture : public CBridgeBoxCapture
{
public:
    using CBridgeBoxCapture::CBridgeBoxCapture;

    // Each byte is followed by the pause, as the part wants between its byte writes; the
    // first byte that fails ends the block with its error. *count is not changed.
    HRESULT WriteEeprom(BYTE* data, int offset, int* count, DWORD pauseMs) override;
    HRESULT ReadEeprom(BYTE* data, int offset, int* count) override;

private:
    static HRESULT CheckBlock(const BYTE* data, int offset, const int* count);
};
