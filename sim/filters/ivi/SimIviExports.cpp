// The module's exports: InterVideo's FM recording chain of audio encoder, multiplexer and writer.
#include "CSimIviAudioEncoder.h"
#include "CSimIviMux.h"
#include "CSimIviWriter.h"
#include "SimComExports.h"

namespace
{
// Made by class identifier only: never offered to intelligent connect.
const CComServer::FilterEntry FILTER = { &CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr };
const CComServer::ClassEntry CLASSES[] = {
    { &CLSID_SimIviAudioEncoder, L"IVI Audio Enc", SimCreate<CSimIviAudioEncoder>, &FILTER },
    { &CLSID_SimIviMux, L"IVI Mux", SimCreate<CSimIviMux>, &FILTER },
    { &CLSID_SimIviWriter, L"IVI Write", SimCreate<CSimIviWriter>, &FILTER },
};
}

SIM_COM_EXPORTS(CLASSES)
