#include "FakeUsbBox.h"

#include <stdio.h>
#include <string.h>

namespace
{
const GUID kFakeBoxClsid = {0x5B1D3F6E, 0x2C4A, 0x4E7B, {0x9A, 0x10, 0x3E, 0x55, 0x21, 0x7C, 0x44, 0x01}};

std::string Hex(const BYTE* data, DWORD count)
{
    std::string text;
    char two[3];
    for (DWORD i = 0; i < count; ++i) {
        sprintf(two, "%02X", data[i]);
        text += two;
    }
    return text;
}
}

FakeUsbBox::FakeUsbBox()
    : CBaseFilter(NULL, kFakeBoxClsid)
{
}

void* FakeUsbBox::FindInterface(REFIID iid)
{
    if (iid == IID_IUsbBoxProperties)
        return static_cast<IUsbBoxProperties*>(this);
    return CBaseFilter::FindInterface(iid);
}

HRESULT FakeUsbBox::Set(DWORD id, void* value)
{
    auto fail = failOnce.find(id);
    HRESULT planned = S_OK;
    if (fail != failOnce.end()) {
        planned = fail->second;
        failOnce.erase(fail);
    }
    if (id == 4102 || id == 4104) {
        DWORD count = (id == 4102 ? m_registerSelector : m_i2cSelector) & 0xFF;
        calls.push_back("S" + std::to_string(id) + ":" + Hex((BYTE*)value, count));
        return FAILED(planned) ? planned : Data(id, (BYTE*)value, false);
    }
    DWORD dword = *(DWORD*)value;
    char text[32];
    sprintf(text, "S%lu=%08lX", id, dword);
    calls.push_back(text);
    if (FAILED(planned))
        return planned;
    if (id == 4101)
        m_registerSelector = dword;
    else if (id == 4103)
        m_i2cSelector = dword;
    else
        values[id] = dword;
    return S_OK;
}

HRESULT FakeUsbBox::Get(DWORD id, void* buffer)
{
    auto fail = failOnce.find(id);
    HRESULT planned = S_OK;
    if (fail != failOnce.end()) {
        planned = fail->second;
        failOnce.erase(fail);
    }
    if (id == 4102 || id == 4104) {
        DWORD count = (id == 4102 ? m_registerSelector : m_i2cSelector) & 0xFF;
        HRESULT hr = FAILED(planned) ? planned : Data(id, (BYTE*)buffer, true);
        calls.push_back("G" + std::to_string(id) + ":" + (FAILED(hr) ? std::string("fail") : Hex((BYTE*)buffer, count)));
        return hr;
    }
    calls.push_back("G" + std::to_string(id));
    if (FAILED(planned))
        return planned;
    *(DWORD*)buffer = values[id];
    return S_OK;
}

HRESULT FakeUsbBox::Data(DWORD id, BYTE* data, bool read)
{
    if (id == 4102) {
        BYTE reg = (BYTE)(m_registerSelector >> 8);
        DWORD count = m_registerSelector & 0xFF;
        if (count == 0)
            return E_UNEXPECTED;
        for (DWORD i = 0; i < count; ++i) {
            BYTE& cell = registers[(BYTE)(reg + i)];
            if (read) {
                data[i] = cell;
                if ((BYTE)(reg + i) == 0x43) {
                    ++statusReads;
                    if (statusFails)
                        return E_FAIL;
                    if (busyReads != 0) {
                        data[i] |= 1;
                        if (busyReads > 0)
                            --busyReads;
                    }
                }
            } else {
                cell = data[i];
            }
        }
        return S_OK;
    }
    BYTE address = (BYTE)((m_i2cSelector >> 16) & 0xFE);
    DWORD count = m_i2cSelector & 0xFF;
    auto device = devices.find(address);
    if (device == devices.end() || count == 0)
        return E_FAIL;
    std::vector<BYTE>& memory = device->second;
    BYTE& pointer = m_pointers[address];
    DWORD first = 0;
    if (m_i2cSelector >> 24)
        pointer = (BYTE)(m_i2cSelector >> 8);
    else if (!read) {
        pointer = data[0];
        first = 1;
    }
    for (DWORD i = first; i < count; ++i, ++pointer) {
        if (read)
            data[i] = memory[pointer % memory.size()];
        else
            memory[pointer % memory.size()] = data[i];
    }
    return S_OK;
}

std::vector<FakeDevices::Entry>& FakeDevices::List()
{
    static std::vector<Entry> list;
    return list;
}

std::vector<std::string>& FakeDevices::Searches()
{
    static std::vector<std::string> searches;
    return searches;
}

IBaseFilter* FakeDevices::Find(const GUID& category, const char* prefix)
{
    Searches().push_back(prefix);
    for (const Entry& e : List()) {
        if (e.category == category && e.name.compare(0, strlen(prefix), prefix) == 0) {
            e.filter->AddRef();
            return e.filter;
        }
    }
    return NULL;
}
