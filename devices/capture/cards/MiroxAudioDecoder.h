#pragma once

#include "TvAudioWrapper.h"

// "QUORVEX Mirox Audio Decoder": the Mirox card's TV audio device, with its base's sound modes.
class CMiroxAudioDecoder : public CTvAudioWrapper
{
public:
    using CTvAudioWrapper::CTvAudioWrapper;
};
