#include "CSimDriverPage.h"

#include "SimGuids.h"
#include "SimPageIds.h"

#include <new>

namespace
{
// This module, which holds the page's dialog and title.
HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}
}

CSimDriverPage::CSimDriverPage(IUnknown* outer)
    : CBasePropertyPage(outer, ThisModule(), IDD_SIM_DRIVER_PAGE, IDS_SIM_DRIVER_PAGE_TITLE)
{
}

CComIdentity* CSimDriverPage::Create(IUnknown* outer, HRESULT* result)
{
    CSimDriverPage* page = new (std::nothrow) CSimDriverPage(outer);
    *result = page ? S_OK : E_OUTOFMEMORY;
    return page;
}

HRESULT CSimDriverPage::List(CAUUID* pages)
{
    if (pages == nullptr)
        return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = CLSID_SimDriverPage;
    return S_OK;
}
