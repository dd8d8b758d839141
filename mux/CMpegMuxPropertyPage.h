#pragma once

#include "BasePropertyPage.h"
#include "ComRef.h"
#include "MpegMuxInterfaces.h"

#include <strmif.h>

// The filter's one property page (dialog 103, "Muxer"): the preset, the segment size,
// sync-audio and splitting, and clearing the output name. It reaches the filter only
// through its interfaces, and offers each control only while the filter can take it.
class CMpegMuxPropertyPage : public CBasePropertyPage
{
public:
    static CComIdentity* Create(IUnknown* outer, HRESULT* result);

protected:
    HRESULT OnConnect(IUnknown* object) override;
    HRESULT OnDisconnect() override;
    HRESULT OnActivate() override;
    HRESULT OnDeactivate() override;
    // Applies what the page shows; the filter refuses most of it while running, which the
    // page does not report.
    HRESULT OnApplyChanges() override;
    INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    explicit CMpegMuxPropertyPage(IUnknown* outer);

    void ShowVersion();
    void FillPresets();
    // Page lock 1 enables, 2 disables, anything else keeps the proposal.
    BOOL LockRule(bool proposed) const;
    void SetEnableStates();
    bool HasFile();
    void OnCommand(int id, int code);

    CComRef<IMpegMuxSettings> m_settings;
    CComRef<IMpegMuxParams> m_params;
    CComRef<IFileSinkFilter> m_fileSink;
    CComRef<IMpegMuxCaps> m_caps;
    CComRef<IMediaFilter> m_mediaFilter;

    int m_preset = 0;
    int m_segmentSize = 0;
    int m_splitFiles = 0;
    int m_syncAudio = 0;
    int m_pageLock = 0;
    int m_outputConnected = 0;
    int m_fileControls = 1;
    bool m_stopped = false;
    // Set once the controls show the filter's values: commands before that (focus moving
    // while the dialog is made) would compare against values not yet read.
    bool m_active = false;
};
