#pragma once

#include "TvAudioWrapper.h"

// "Trident USB TvAudio": the Trident box's TV audio device, with its base's sound modes.
class CTridentUsbTvAudio : public CTvAudioWrapper
{
public:
    using CTvAudioWrapper::CTvAudioWrapper;
};
