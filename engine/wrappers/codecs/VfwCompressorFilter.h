#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"

#include <dshow.h>

// The base of the video-compressor devices' wrappers: the codec's configuration dialog and its
// state. A codec without the dialog interface still makes a valid wrapper; the operations then
// answer FALSE.
class CVfwCompressorFilter : public CFilterWrapper
{
public:
    CVfwCompressorFilter(CGraphBuilder* graph, REFCLSID clsid);
    CVfwCompressorFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CVfwCompressorFilter() override;

    BOOL Init() override;

    // GetState into buffer; size holds the buffer's size and receives the state's.
    BOOL GetDialogState(void* buffer, int* size);
    BOOL SetDialogState(void* buffer, int size);
    BOOL ShowDialog(int kind, HWND parent);

private:
    CComRef<IAMVfwCompressDialogs> m_dialogs;
};
