#pragma once

#include <objidl.h>

// IPersistStream for a filter that saves its settings in a graph file: the stream starts
// with a 32-bit version word, then the derived class's own data. The derived object
// answers IUnknown (its controlling unknown) and, since CBaseFilter is an IPersist too,
// picks one GetClassID for both.
class CPersistStream : public IPersistStream
{
public:
    CPersistStream(REFCLSID clsid, DWORD version, DWORD sizeMax);
    virtual ~CPersistStream() = default;

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IPersistStream
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

    DWORD PersistVersion() const { return m_version; }
    void SetDirty(bool dirty) { m_dirty = dirty; }

    // Reads or writes exactly size bytes; a short read is STG_E_READFAULT.
    static HRESULT ReadBytes(IStream* stream, void* data, ULONG size);
    static HRESULT WriteBytes(IStream* stream, const void* data, ULONG size);

protected:
    // The data after the version word. Load gives the version the stream holds; a loader
    // that does not read that version answers S_FALSE and keeps its settings.
    virtual HRESULT ReadFromStream(IStream* stream, DWORD version) = 0;
    virtual HRESULT WriteToStream(IStream* stream) = 0;

private:
    const CLSID m_clsid;
    const DWORD m_version;
    const DWORD m_sizeMax;
    // A plain flag: the settings it follows change under the derived class's own lock.
    volatile bool m_dirty = false;
};
