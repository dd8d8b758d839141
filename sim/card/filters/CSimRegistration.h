#pragma once

#include "ComServer.h"

#include <string>

// Registration of the card's filters: card 0 through DllRegisterServer, further cards
// through DllInstall ("card=1;Profile=92;PllAddr=0xC2", audio=0 leaves the audio filter
// out, audioname=<text> renames it). family=usb2800|tunnel|trident|ut800|ut810|bus16|usbcam
// registers the card under that driver's names, whose front end its filters then put over
// the card (the instance value Family) and whose upstream objects it wires (Upstream; the
// line's Upstream=2 leaves a family's tuner out); videoname=<text> renames its capture
// filter. Each other Name=value becomes an instance value of the card's filters.
class CSimRegistration
{
public:
    // The class table of card 0, which also serves DllGetClassObject.
    static const CComServer::ClassEntry* Classes(size_t* count);

    static HRESULT RegisterDefault();
    static HRESULT UnregisterDefault();
    static HRESULT Install(bool install, const std::string& commandLine);

private:
    static HRESULT RegisterCard(DWORD card, DWORD driver, bool withAudio, const std::wstring& audioName,
                                const std::wstring& videoName);
    static HRESULT UnregisterCard(DWORD card);
    static HRESULT WriteValue(DWORD card, const std::string& name, const std::string& value);
};
