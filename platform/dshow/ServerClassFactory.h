#pragma once

#include "ComIdentity.h"
#include "ComServer.h"

// The class object of one entry of a server's class table.
class CServerClassFactory : public CComIdentity, public IClassFactory
{
public:
    explicit CServerClassFactory(const CComServer::ClassEntry& entry);

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

protected:
    void* FindInterface(REFIID iid) override;

private:
    const CComServer::ClassEntry& m_entry;
};
