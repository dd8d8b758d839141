#include "SimulatedKsDevice.h"

#include "ComIdentity.h"

#include <dshow.h>
#include <ks.h>
// mingw's ksproxy.h declares IKsObject only for code built on the stream base classes.
#define __STREAMS__
#include <ksproxy.h>

#include <stdio.h>
#include <string.h>

SimulatedKsDevice* SimulatedKsDevice::s_current = nullptr;

namespace
{
DWORD DwordAt(const BYTE* buffer, DWORD offset)
{
    DWORD value;
    memcpy(&value, buffer + offset, sizeof(value));
    return value;
}

void PutDword(BYTE* buffer, DWORD offset, DWORD value)
{
    memcpy(buffer + offset, &value, sizeof(value));
}

std::string Describe(DWORD code, const BYTE* buffer)
{
    char text[64];
    switch (code) {
    case 0x1100000B: return "start";
    case 0x1100000C: return "stop";
    case 0x1100000D: return "receive";
    case 0x11000010: return "next";
    case 0x1100000E: snprintf(text, sizeof(text), "send %02X", buffer[50]); return text;
    case 0x11000018: snprintf(text, sizeof(text), "bus control %02X", buffer[50]); return text;
    case 0x10000002: return "mode?";
    case 2: snprintf(text, sizeof(text), "mode %lu", DwordAt(buffer, 36)); return text;
    case 0x1000000A: return "gpio?";
    case 10:
        snprintf(text, sizeof(text), "gpio %08lX/%08lX", DwordAt(buffer, 72), DwordAt(buffer, 76));
        return text;
    case 0x1000000C: return "device control";
    }
    snprintf(text, sizeof(text), "command %08lX", code);
    return text;
}

class KsObjectFilter : public CComIdentity, public IKsObject
{
public:
    KsObjectFilter(HANDLE handle, bool withKsObject)
        : CComIdentity(nullptr), m_handle(handle), m_withKsObject(withKsObject)
    {
    }

    DSHOW_DELEGATING_UNKNOWN
    STDMETHODIMP_(HANDLE) KsGetObjectHandle() override { return m_handle; }

protected:
    void* FindInterface(REFIID iid) override
    {
        if (m_withKsObject && IsEqualIID(iid, IID_IKsObject))
            return static_cast<IKsObject*>(this);
        return CComIdentity::FindInterface(iid);
    }

private:
    HANDLE m_handle;
    bool m_withKsObject;
};
}

IUnknown* CreateKsObjectFilter(HANDLE handle, bool withKsObject)
{
    return (new KsObjectFilter(handle, withKsObject))->InnerUnknown();
}

SimulatedKsDevice::SimulatedKsDevice()
{
    s_current = this;
}

SimulatedKsDevice::~SimulatedKsDevice()
{
    s_current = nullptr;
}

HRESULT WINAPI SimulatedKsDevice::Control(HANDLE handle, ULONG ioctl, PVOID in, ULONG inSize, PVOID out,
                                          ULONG outSize, PULONG returned)
{
    if (returned)
        *returned = 0;
    if (!s_current)
        return E_UNEXPECTED;
    return s_current->Handle(handle, ioctl, (BYTE*)in, inSize, (BYTE*)out, outSize);
}

HRESULT SimulatedKsDevice::Handle(HANDLE handle, ULONG ioctl, BYTE* in, ULONG inSize, BYTE* out, ULONG outSize)
{
    DWORD code = inSize >= 28 ? DwordAt(in, 24) : 0;
    DWORD flags = inSize >= 24 ? DwordAt(in, 20) : 0;
    if (onCall)
        onCall(code);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back(Call{handle, ioctl, in == out, inSize, outSize, std::vector<BYTE>(in, in + inSize)});
    if (flags == 2)
        m_log.push_back(Describe(code, in));
    if (code == failCode && flags == failFlags)
        return failResult;
    // A driver is free to scribble over the header: the transport writes it again for the Get.
    memset(out, 0xEE, 24);
    if (flags == 1)
        Answer(code, out);
    return S_OK;
}

void SimulatedKsDevice::Answer(DWORD code, BYTE* buffer)
{
    switch (code) {
    case 0x1100000D:
        buffer[50] = incoming.empty() ? 0xFF : incoming.front();
        if (!incoming.empty())
            incoming.pop_front();
        break;
    case 0x10000002:
        PutDword(buffer, 28, mode);
        break;
    case 2:
        mode = DwordAt(buffer, 36);
        break;
    case 0x1000000A:
        // The rest of the block is other state of the chip.
        for (DWORD i = 72; i < 328; ++i)
            buffer[i] = (BYTE)i;
        PutDword(buffer, 72, gpio);
        break;
    case 10:
        gpio = (gpio & ~DwordAt(buffer, 76)) | (DwordAt(buffer, 72) & DwordAt(buffer, 76));
        break;
    }
}

std::vector<SimulatedKsDevice::Call> SimulatedKsDevice::Calls()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

std::vector<std::string> SimulatedKsDevice::Log()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_log;
}

void SimulatedKsDevice::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
    m_log.clear();
}
