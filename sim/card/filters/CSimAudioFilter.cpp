#include "CSimAudioFilter.h"

#include "SimGuids.h"

CSimAudioFilter::CSimAudioFilter(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimAudio, "audio"), m_capture(*this),
      m_lineIn(*this, L"\x7EBF\x8DEF\x8F93\x5165", 0), m_lineInEnglish(*this, L"Line In", 1)
{
}

CBasePin* CSimAudioFilter::GetPin(int index)
{
    switch (index) {
    case 0: return &m_capture;
    case 1: return &m_lineIn;
    case 2: return &m_lineInEnglish;
    default: return nullptr;
    }
}
