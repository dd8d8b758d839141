#include "RecordingPropertySet.h"

#include <gtest/gtest.h>

#include <string.h>

RecordingPropertySet::RecordingPropertySet(bool withPropertySet)
    : CComIdentity(nullptr), m_withPropertySet(withPropertySet)
{
}

void* RecordingPropertySet::FindInterface(REFIID iid)
{
    if (m_withPropertySet && IsEqualIID(iid, IID_IKsPropertySet))
        return static_cast<IKsPropertySet*>(this);
    return CComIdentity::FindInterface(iid);
}

void RecordingPropertySet::Answer(HRESULT result)
{
    AnswerBytes(0, {}, result);
}

void RecordingPropertySet::AnswerBytes(DWORD offset, const std::vector<BYTE>& bytes, HRESULT result)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_replies.push_back(Reply{result, offset, bytes});
}

void RecordingPropertySet::AnswerDword(DWORD offset, DWORD value)
{
    AnswerBytes(offset, {(BYTE)value, (BYTE)(value >> 8), (BYTE)(value >> 16), (BYTE)(value >> 24)});
}

std::vector<RecordingPropertySet::Request> RecordingPropertySet::Requests()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::vector<std::pair<GUID, DWORD>> RecordingPropertySet::SupportQueries()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_supportQueries;
}

void RecordingPropertySet::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
    m_replies.clear();
}

HRESULT RecordingPropertySet::Record(bool get, REFGUID set, DWORD id, void* instance, DWORD instanceLength,
                                     void* data, DWORD dataLength)
{
    Request request{get, set, id, (LONG)((BYTE*)instance - (BYTE*)data), instanceLength, dataLength,
                    std::vector<BYTE>((BYTE*)data, (BYTE*)data + dataLength),
                    instance ? std::vector<BYTE>((BYTE*)instance, (BYTE*)instance + instanceLength)
                             : std::vector<BYTE>()};
    if (onRequest)
        onRequest(request);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.push_back(request);
    if (m_replies.empty())
        return S_OK;
    Reply reply = m_replies.front();
    m_replies.pop_front();
    if (get && reply.offset + reply.bytes.size() <= dataLength)
        memcpy((BYTE*)data + reply.offset, reply.bytes.data(), reply.bytes.size());
    return reply.result;
}

STDMETHODIMP RecordingPropertySet::Set(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                                       DWORD dataLength)
{
    return Record(false, set, id, instance, instanceLength, data, dataLength);
}

STDMETHODIMP RecordingPropertySet::Get(REFGUID set, DWORD id, void* instance, DWORD instanceLength, void* data,
                                       DWORD dataLength, DWORD* returned)
{
    HRESULT hr = Record(true, set, id, instance, instanceLength, data, dataLength);
    if (returned)
        *returned = SUCCEEDED(hr) ? dataLength : 0;
    return hr;
}

STDMETHODIMP RecordingPropertySet::QuerySupported(REFGUID set, DWORD id, DWORD* support)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_supportQueries.push_back(std::make_pair(set, id));
    if (support)
        *support = FAILED(supportResult) ? 0 : supportBits ? supportBits(set, id) : 3;
    return supportResult;
}

void ExpectRequests(const GUID& set, const std::vector<ExpectedRequest>& expected,
                    const std::vector<RecordingPropertySet::Request>& actual, const std::string& where)
{
    ASSERT_EQ(expected.size(), actual.size()) << where;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedRequest& e = expected[i];
        const RecordingPropertySet::Request& a = actual[i];
        std::string at = where + ", request " + std::to_string(i);
        EXPECT_EQ(e.get, a.get) << at;
        EXPECT_TRUE(IsEqualGUID(set, a.set)) << at;
        EXPECT_EQ(e.id, a.id) << at;
        EXPECT_EQ(24, a.instanceOffset) << at;
        EXPECT_EQ(e.size - 24, a.instanceLength) << at;
        EXPECT_EQ(e.size, a.dataLength) << at;
        std::vector<BYTE> image(e.size, 0);
        for (const auto& bytes : e.payload)
            std::copy(bytes.second.begin(), bytes.second.end(), image.begin() + bytes.first);
        EXPECT_EQ(image, a.data) << at;
    }
}
