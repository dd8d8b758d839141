#include "CSimBagValues.h"

CSimBagValues::CSimBagValues(IPropertyBag* bag) : m_bag(bag)
{
}

bool CSimBagValues::Read(const char* name, VARIANT* value)
{
    WCHAR wide[64];
    if (MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 64) == 0)
        return false;
    VariantInit(value);
    return SUCCEEDED(m_bag->Read(wide, value, NULL));
}

bool CSimBagValues::GetDword(const char* name, DWORD* value)
{
    VARIANT v;
    if (!Read(name, &v))
        return false;
    bool ok = SUCCEEDED(VariantChangeType(&v, &v, 0, VT_UI4));
    if (ok)
        *value = v.ulVal;
    VariantClear(&v);
    return ok;
}

bool CSimBagValues::GetString(const char* name, std::string* value)
{
    VARIANT v;
    if (!Read(name, &v))
        return false;
    bool ok = v.vt == VT_BSTR && v.bstrVal != NULL;
    if (ok) {
        int size = WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, NULL, 0, NULL, NULL);
        std::string text(size > 0 ? size : 1, '\0');
        WideCharToMultiByte(CP_ACP, 0, v.bstrVal, -1, &text[0], size, NULL, NULL);
        text.resize(text.find('\0'));
        *value = text;
    }
    VariantClear(&v);
    return ok;
}

bool CSimBagValues::GetBinary(const char* name, std::vector<BYTE>* value)
{
    VARIANT v;
    if (!Read(name, &v))
        return false;
    bool ok = v.vt == (VT_ARRAY | VT_UI1) && v.parray != NULL;
    if (ok) {
        void* data = NULL;
        ok = SUCCEEDED(SafeArrayAccessData(v.parray, &data));
        if (ok) {
            const BYTE* bytes = (const BYTE*)data;
            value->assign(bytes, bytes + v.parray->rgsabound[0].cElements);
            SafeArrayUnaccessData(v.parray);
        }
    }
    VariantClear(&v);
    return ok;
}
