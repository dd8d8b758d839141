// CMpegMuxFilter's run states and output: the engine's life, the output file or numbered
// segment files with their list, the side files of index records, and the limits.
#include "CMpegMuxFilter.h"

#include "CritGuard.h"
#include "MuxBufferedWriter.h"
#include "MuxIndexedWriter.h"
#include "MuxInputBuffer.h"
#include "MuxWriterError.h"

#include <stdio.h>
#include <string.h>

#include <new>

namespace
{

enum
{
    kMaxNameChars = 260,
    kDiskReserve = 0x100000
};

HANDLE CreateOutputFile(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void CloseFile(HANDLE& file)
{
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
}

// "C:\" or "\\server\share\" of a full path; empty when it has neither.
std::string VolumeRoot(const std::string& name)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string path(full, length);
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2) + "\\";
    if (path.compare(0, 2, "\\\\") == 0) {
        size_t server = path.find('\\', 2);
        if (server == std::string::npos)
            return std::string();
        size_t share = path.find('\\', server + 1);
        return (share == std::string::npos ? path : path.substr(0, share)) + "\\";
    }
    return std::string();
}

// The part after the last "\" or, failing that, "/".
const char* BaseName(const std::string& path)
{
    size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        slash = path.rfind('/');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

} // namespace

// IFileSinkFilter

STDMETHODIMP CMpegMuxFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*)
{
    CCritGuard guard(StateLock());
    if (OutputConnected() || State() != State_Stopped)
        return E_UNEXPECTED;
    if (!name || !*name) {
        m_fileName.clear();
        if (m_outputPin)
            return S_OK;
        if (m_spareOutputPin)
            m_outputPin = std::move(m_spareOutputPin);
        else
            m_outputPin.reset(new (std::nothrow) CMpegMuxOutputPin(*this));
        IncrementPinVersion();
        return m_outputPin ? S_OK : E_OUTOFMEMORY;
    }
    // Real error results: plain 206 and 123 would read as success to any caller.
    if (wcslen(name) > kMaxNameChars)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    // A character the code page lacks would become "?", which names no file.
    char ansi[kMaxNameChars * 2 + 2];
    BOOL substituted = FALSE;
    if (!WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof(ansi), nullptr, &substituted) || substituted)
        return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);

    // The test file replaces any file of the name and goes when closed; a failed create
    // keeps the name all the same, since the folder may yet appear.
    HRESULT hr = S_OK;
    HANDLE probe = CreateFileA(ansi, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        hr = HRESULT_FROM_WIN32(GetLastError());
    else
        CloseHandle(probe);
    m_fileName = ansi;
    if (m_outputPin) {
        m_spareOutputPin = std::move(m_outputPin);
        IncrementPinVersion();
    }
    MeasureVolume();
    return hr;
}

STDMETHODIMP CMpegMuxFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type)
{
    if (!name)
        return E_POINTER;
    CCritGuard guard(StateLock());
    int chars = MultiByteToWideChar(CP_ACP, 0, m_fileName.c_str(), -1, nullptr, 0);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof(WCHAR) * (chars > 0 ? chars : 1)));
    if (!*name)
        return E_OUTOFMEMORY;
    (*name)[0] = 0;
    if (chars > 0)
        MultiByteToWideChar(CP_ACP, 0, m_fileName.c_str(), -1, *name, chars);
    if (type) {
        memset(type, 0, sizeof(*type));
        type->majortype = MEDIATYPE_Stream;
        type->subtype = GUID_NULL;
    }
    return S_OK;
}

void CMpegMuxFilter::MeasureVolume()
{
    std::string root = VolumeRoot(m_fileName);
    m_fatVolume = false;
    m_freeBytes = -1;
    if (!root.empty())
        m_system->QueryVolume(root.c_str(), &m_fatVolume, &m_freeBytes);
}

// Run states

bool CMpegMuxFilter::AnyInputConnected() const
{
    for (const auto& pin : m_inputPins) {
        if (pin->IsConnected())
            return true;
    }
    return false;
}

bool CMpegMuxFilter::AnyInputConnected(CMpegMuxInputPin::Kind kind) const
{
    for (const auto& pin : m_inputPins) {
        if (pin->IsConnected() && pin->StreamKind() == kind)
            return true;
    }
    return false;
}

void CMpegMuxFilter::ApplyFatCap()
{
    if (!m_fatVolume)
        return;
    if (m_settings.segmentSizeMb == 0 || m_settings.segmentSizeMb > kFatSegmentMb)
        m_settings.segmentSizeMb = kFatSegmentMb;
    m_fatCapApplied = true;
}

HRESULT CMpegMuxFilter::OnPrepare()
{
    m_syncClock.Reset();
    if (AnyInputConnected()) {
        // Pin mode opens through the output pin's activation.
        if (!OutputConnected())
            PrepareFileOutput();
    } else if (OutputConnected() && m_fileName.empty()) {
        OnEndOutput(this);
    }
    return S_OK;
}

// The result of opening does not stop the pause: the events have said what went wrong.
void CMpegMuxFilter::PrepareFileOutput()
{
    ApplyFatCap();
    if (SUCCEEDED(CreateMux()))
        OpenMuxOutput();
}

void CMpegMuxFilter::OnTeardown()
{
    m_endOutputSent = false;
    m_endedPins = 0;
    if (!AnyInputConnected())
        return;
    CloseMuxOutput(0);
    DestroyMux();
}

HRESULT CMpegMuxFilter::CreateMux()
{
    DestroyMux();
    m_engine = MuxLibCreate(m_resolver, &m_settings);
    return m_engine ? S_OK : E_OUTOFMEMORY;
}

// The handle is cleared with the engine, so a later Stop, CreateMux or the destructor
// never frees it a second time.
void CMpegMuxFilter::DestroyMux()
{
    if (!m_engine)
        return;
    CloseMuxOutput(1);
    MuxLibFree(m_engine);
    m_engine = nullptr;
}

std::string CMpegMuxFilter::OutputPath(int counter, bool numbered, const char* extension) const
{
    size_t base = m_fileName.size() - strlen(BaseName(m_fileName));
    size_t dot = m_fileName.rfind('.');
    if (dot == std::string::npos || dot < base)
        dot = m_fileName.size();
    std::string path = m_fileName.substr(0, dot);
    if (numbered) {
        char number[16];
        snprintf(number, sizeof(number), "%04d", counter);
        path += number;
    }
    if (extension)
        path += extension;
    else
        path += m_fileName.substr(dot);
    return path;
}

HRESULT CMpegMuxFilter::OpenMuxOutput()
{
    CCritGuard guard(m_receiveLock);
    m_endedPins = 0;
    HRESULT hr = CreateMux();
    if (FAILED(hr))
        return hr;

    MuxWriterCallbacks callbacks = {};
    bool split = m_splitFiles == 1;
    if (!OutputConnected() && !m_fileName.empty()) {
        callbacks = {OnWriteFile, nullptr, OnNextFile};
        m_segmentCounter = 0;
        if (split) {
            if (m_writeList == 1) {
                m_fileList.reset(new (std::nothrow) std::vector<Segment>());
                if (!m_fileList)
                    return E_OUTOFMEMORY;
            }
            m_segmentBytes = 0;
        }
        m_segmentPath = OutputPath(m_segmentCounter, split, nullptr);
        m_file = CreateOutputFile(m_segmentPath);
        if (m_file != INVALID_HANDLE_VALUE)
            ++m_segmentCounter;
    }
    if (m_file == INVALID_HANDLE_VALUE) {
        if (!OutputConnected()) {
            NotifyEvent(EC_MUX_WRITE_ERROR, 0, 0);
            m_fileList.reset();
            return E_FAIL;
        }
        callbacks = {OnDeliverOutput, OnEndOutput, nullptr};
    }

    m_writer = MuxBufferedWriter::Create(callbacks, this, kWriterBufferSize, MuxWriterError);
    hr = m_writer ? S_OK : E_FAIL;
    if (SUCCEEDED(hr)) {
        auto* writerA = reinterpret_cast<MuxBufStream*>(static_cast<INT_PTR>(m_writerA));
        auto* writerB = reinterpret_cast<MuxBufStream*>(static_cast<INT_PTR>(m_writerB));
        if ((writerA || writerB) && !m_streamFiles) {
            m_indexed = MuxIndexedWriter::Create(m_writer->Stream(), writerA, writerB, MuxWriterError);
            hr = m_indexed ? S_OK : E_FAIL;
        } else if (m_streamFiles && !m_fileName.empty()) {
            hr = OpenSideFiles();
        }
    }
    if (SUCCEEDED(hr)) {
        MuxOptions options = {};
        if (m_optionBit7 == 1)
            options.flags0 |= MUX_OPTION0_BIT7;
        if (m_audioNoSpamVobu == 1)
            options.flags1 |= MUX_OPTION1_AUDIO_NO_SPAM_VOBU;
        hr = MuxLibInit(m_engine, &options, OutputWriter()) == 0 ? S_OK : E_FAIL;
    }
    for (size_t i = 0; SUCCEEDED(hr) && i < m_inputPins.size(); ++i) {
        CMpegMuxInputPin& pin = *m_inputPins[i];
        if (!pin.IsConnected())
            continue;
        std::unique_ptr<MuxInputBuffer> buffer(MuxInputBuffer::Create(static_cast<int>(pin.StreamSettings().bufferSize)));
        if (!buffer) {
            hr = E_OUTOFMEMORY;
            break;
        }
        pin.SetInputBuffer(buffer->Writer());
        MuxBufStream* reader = buffer->Reader();
        m_inputBuffers.push_back(std::move(buffer));
        if (MuxLibAddStream(m_engine, &pin.StreamSettings(), reader) != 0)
            hr = E_FAIL;
    }
    if (FAILED(hr)) {
        // Nothing half-made stays behind: the engine may hold the writer already.
        MuxLibFinish(m_engine, 1);
        ReleaseOutput(1);
        return hr;
    }
    m_outputOpen = true;
    return S_OK;
}

HRESULT CMpegMuxFilter::OpenSideFiles()
{
    bool split = m_splitFiles == 1;
    const CMpegMuxInputPin::Kind kinds[2] = {CMpegMuxInputPin::kVideo, CMpegMuxInputPin::kAudio};
    const char* extensions[2] = {".vdx", ".adx"};
    const MuxWriterCallbacks callbacks = {OnWriteStreamFile, nullptr, OnNextStreamFile};
    for (int i = 0; i < 2; ++i) {
        if (!AnyInputConnected(kinds[i]))
            continue;
        m_sideCounters[i] = 0;
        m_sideFiles[i] = CreateOutputFile(OutputPath(0, split, extensions[i]));
        if (m_sideFiles[i] == INVALID_HANDLE_VALUE) {
            FailOutput(EC_MUX_WRITE_ERROR);
            return E_FAIL;
        }
        ++m_sideCounters[i];
        m_sideContexts[i] = {this, i + 1};
        m_sideWriters[i] = MuxBufferedWriter::Create(callbacks, &m_sideContexts[i], kSideWriterBufferSize,
                                                     MuxWriterError);
        if (!m_sideWriters[i])
            return E_FAIL;
    }
    m_indexed = MuxIndexedWriter::Create(m_writer->Stream(), m_sideWriters[0] ? m_sideWriters[0]->Stream() : nullptr,
                                         m_sideWriters[1] ? m_sideWriters[1]->Stream() : nullptr, MuxWriterError);
    return m_indexed ? S_OK : E_FAIL;
}

MuxBufStream* CMpegMuxFilter::OutputWriter() const
{
    if (m_indexed)
        return m_indexed->Stream();
    return m_writer ? m_writer->Stream() : nullptr;
}

HRESULT CMpegMuxFilter::CloseMuxOutput(int abort)
{
    CCritGuard guard(m_receiveLock);
    if (!m_outputOpen)
        return S_OK;
    int finished = MuxLibFinish(m_engine, abort);
    m_outputOpen = false;
    ReleaseOutput(abort);
    return finished == 0 ? S_OK : E_FAIL;
}

void CMpegMuxFilter::ReleaseOutput(int abort)
{
    for (const auto& pin : m_inputPins)
        pin->SetInputBuffer(nullptr);
    m_inputBuffers.clear();
    if (m_indexed) {
        MuxBufStream* indexed = m_indexed->Stream();
        indexed->close(indexed, abort);
        indexed->free(indexed);
        m_indexed = nullptr;
    }
    if (m_writer) {
        MuxBufStream* writer = m_writer->Stream();
        writer->close(writer, abort);
        writer->free(writer);
        m_writer = nullptr;
    }
    for (int i = 0; i < 2; ++i) {
        if (m_sideWriters[i]) {
            MuxBufStream* writer = m_sideWriters[i]->Stream();
            writer->close(writer, abort);
            writer->free(writer);
            m_sideWriters[i] = nullptr;
        }
        CloseFile(m_sideFiles[i]);
    }
    if (m_file != INVALID_HANDLE_VALUE) {
        CloseFile(m_file);
        if (m_fileList)
            m_fileList->push_back({m_segmentPath, m_segmentBytes});
    }
    if (m_fileList && m_writeList == 1 && m_splitFiles == 1)
        WriteSegmentList();
    // Freed at every close, whatever the flags say by now, so no stale segment reaches the
    // next run's list.
    m_fileList.reset();
}

void CMpegMuxFilter::WriteSegmentList()
{
    HANDLE list = CreateFileA(OutputPath(0, false, ".mzl").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_FLAG_WRITE_THROUGH, nullptr);
    if (list == INVALID_HANDLE_VALUE)
        return;
    std::string text = "DZMP\r\n";
    bool written = true;
    for (size_t i = 0; written && i <= m_fileList->size(); ++i) {
        DWORD done = 0;
        written = WriteFile(list, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                  done == text.size();
        if (i < m_fileList->size()) {
            const Segment& segment = (*m_fileList)[i];
            text = std::string(BaseName(segment.path)) + "; " + std::to_string(segment.bytes) + "\r\n";
        }
    }
    CloseHandle(list);
}

void CMpegMuxFilter::FailOutput(long code)
{
    NotifyEvent(code, 0, 0);
    m_outputFailed = true;
}

// Writer callbacks

int CMpegMuxFilter::OnWriteFile(void* context, const uint8_t* data, int bytes)
{
    return static_cast<CMpegMuxFilter*>(context)->WriteFileBytes(data, bytes);
}

int CMpegMuxFilter::OnNextFile(void* context)
{
    return static_cast<CMpegMuxFilter*>(context)->NextFile();
}

int CMpegMuxFilter::OnWriteStreamFile(void* context, const uint8_t* data, int bytes)
{
    auto* side = static_cast<SideContext*>(context);
    return side->filter->WriteSideFile(side->kind, data, bytes);
}

int CMpegMuxFilter::OnNextStreamFile(void* context)
{
    auto* side = static_cast<SideContext*>(context);
    return side->filter->NextSideFile(side->kind);
}

int CMpegMuxFilter::OnDeliverOutput(void* context, const uint8_t* data, int bytes)
{
    auto* filter = static_cast<CMpegMuxFilter*>(context);
    filter->m_bytesSinceRun += static_cast<ULONGLONG>(bytes);
    if (!filter->m_outputPin)
        return E_FAIL;
    return filter->m_outputPin->DeliverBytes(data, bytes);
}

void CMpegMuxFilter::OnEndOutput(void* context)
{
    auto* filter = static_cast<CMpegMuxFilter*>(context);
    if (filter->m_endOutputSent || !filter->m_outputPin)
        return;
    filter->m_endOutputSent = true;
    filter->m_outputPin->DeliverEndOfStream();
}

// Once the output has failed (a full disk, the time limit, a closed file, a failed write)
// nothing more is written and no event repeats until the next Run.
HRESULT CMpegMuxFilter::WriteFileBytes(const uint8_t* data, int bytes)
{
    if (m_outputFailed || m_file == INVALID_HANDLE_VALUE)
        return E_FAIL;
    // An unknown free space (-1) sets no limit.
    if (m_freeBytes >= 0 &&
        static_cast<LONGLONG>(m_bytesSinceRun + static_cast<ULONGLONG>(bytes)) >= m_freeBytes - kDiskReserve) {
        FailOutput(EC_MUX_DISK_FULL);
        return E_FAIL;
    }
    DWORD done = 0;
    if (!WriteFile(m_file, data, static_cast<DWORD>(bytes), &done, nullptr) || done != static_cast<DWORD>(bytes)) {
        HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        FailOutput(EC_MUX_WRITE_ERROR);
        return FAILED(hr) ? hr : E_FAIL;
    }
    m_bytesSinceRun += static_cast<ULONGLONG>(bytes);
    m_segmentBytes += static_cast<ULONGLONG>(bytes);
    if (m_timeLimitMs > 0 && m_system->Milliseconds() - m_runStartMs >= static_cast<DWORD>(m_timeLimitMs)) {
        FailOutput(EC_MUX_TIME_LIMIT);
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CMpegMuxFilter::NextFile()
{
    if (m_file == INVALID_HANDLE_VALUE)
        return E_FAIL;
    CloseFile(m_file);
    if (m_splitFiles != 1) {
        FailOutput(m_fatCapApplied ? EC_MUX_FAT_LIMIT : EC_MUX_FILE_CLOSED);
        return E_FAIL;
    }
    NotifyEvent(EC_MUX_NEW_SEGMENT, 0, 0);
    if (m_fileList) {
        try {
            m_fileList->push_back({m_segmentPath, m_segmentBytes});
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
    m_segmentBytes = 0;
    m_segmentPath = OutputPath(m_segmentCounter, true, nullptr);
    m_file = CreateOutputFile(m_segmentPath);
    if (m_file == INVALID_HANDLE_VALUE) {
        FailOutput(EC_MUX_WRITE_ERROR);
        return E_FAIL;
    }
    ++m_segmentCounter;
    return S_OK;
}

HRESULT CMpegMuxFilter::WriteSideFile(int kind, const uint8_t* data, int bytes)
{
    if (kind != kVideoIndex && kind != kAudioIndex)
        return E_FAIL;
    HANDLE file = m_sideFiles[kind - 1];
    DWORD done = 0;
    if (!WriteFile(file, data, static_cast<DWORD>(bytes), &done, nullptr) || done != static_cast<DWORD>(bytes)) {
        HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        FailOutput(EC_MUX_WRITE_ERROR);
        return FAILED(hr) ? hr : E_FAIL;
    }
    FlushFileBuffers(file);
    return S_OK;
}

HRESULT CMpegMuxFilter::NextSideFile(int kind)
{
    if (kind != kVideoIndex && kind != kAudioIndex)
        return E_FAIL;
    int i = kind - 1;
    CloseFile(m_sideFiles[i]);
    if (m_splitFiles != 1)
        return E_FAIL;
    m_sideFiles[i] = CreateOutputFile(OutputPath(m_sideCounters[i], true, i == 0 ? ".vdx" : ".adx"));
    if (m_sideFiles[i] == INVALID_HANDLE_VALUE) {
        FailOutput(EC_MUX_WRITE_ERROR);
        return E_FAIL;
    }
    ++m_sideCounters[i];
    return S_OK;
}
