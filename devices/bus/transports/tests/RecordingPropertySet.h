#pragma once

#include "ComIdentity.h"

#include <windows.h>
#include <strmif.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// A capture filter whose IKsPropertySet records every request as a driver receives it and
// answers from a script, so that tests see the exact bytes a transport sends.
class RecordingPropertySet : public CComIdentity, public IKsPropertySet
{
public:
    struct Request
    {
        bool get;
        GUID set;
        DWORD id;
        LONG instanceOffset;        // instance data minus property data
        DWORD instanceLength;
        DWORD dataLength;
        std::vector<BYTE> data;     // the property data as it arrived
        std::vector<BYTE> instance; // the instance data as it arrived
    };

    // withPropertySet false: a filter that has no IKsPropertySet.
    explicit RecordingPropertySet(bool withPropertySet = true);

    // The answers of the next requests, in order; a request without one succeeds untouched.
    void Answer(HRESULT result);
    void AnswerBytes(DWORD offset, const std::vector<BYTE>& bytes, HRESULT result = S_OK);
    void AnswerDword(DWORD offset, DWORD value);

    std::vector<Request> Requests();
    std::vector<std::pair<GUID, DWORD>> SupportQueries();
    void Clear();

    // What QuerySupported answers.
    HRESULT supportResult = S_OK;
    // The support bits of a property; without it every property reads and writes.
    std::function<DWORD(const GUID& set, DWORD id)> supportBits;
    // Called on the caller's thread with each request before it is answered.
    std::function<void(const Request&)> onRequest;

    DSHOW_DELEGATING_UNKNOWN
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                     DWORD dataLength, DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    struct Reply
    {
        HRESULT result;
        DWORD offset;
        std::vector<BYTE> bytes;
    };

    HRESULT Record(bool get, REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                   DWORD dataLength);

    bool m_withPropertySet;
    // Guards the fields below; requests may come from several threads.
    std::mutex m_mutex;
    std::vector<Request> m_requests;
    std::deque<Reply> m_replies;
    std::vector<std::pair<GUID, DWORD>> m_supportQueries;
};

// One request a test expects: direction, property id, buffer size and the payload bytes by
// offset; every other byte of the buffer must be zero.
struct ExpectedRequest
{
    bool get;
    DWORD id;
    DWORD size;
    std::vector<std::pair<DWORD, std::vector<BYTE>>> payload;
};

const bool kGet = true;
const bool kSet = false;

// Checks the requests one by one: the set, the instance data at byte 24 of the buffer (size
// less 24 bytes long), the data length and every byte of the buffer.
void ExpectRequests(const GUID& set, const std::vector<ExpectedRequest>& expected,
                    const std::vector<RecordingPropertySet::Request>& actual, const std::string& where);
