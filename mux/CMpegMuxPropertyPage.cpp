#include "CMpegMuxPropertyPage.h"

#include "GantrixModule.h"
#include "GantrixResource.h"
#include "MuxPresetTable.h"

#include <stdio.h>

#include <new>
#include <vector>

namespace
{

enum { kStateWaitMs = 1000 };

// The controls of the output file, which a host may hide (parameter 35 at 0).
const int kFileControls[] = {IDC_FILE_GROUP, IDC_SEGMENT_LABEL, IDC_SEGMENT_SIZE, IDC_SEGMENT_UNIT,
                             IDC_CLEAR_FILENAME, IDC_SPLIT_FILES};
const int kTypeControls[] = {IDC_TYPE_GROUP, IDC_PRESET, IDC_SYNC_AUDIO};

} // namespace

CMpegMuxPropertyPage::CMpegMuxPropertyPage(IUnknown* outer)
    : CBasePropertyPage(outer, CGantrixModule::Instance(), IDD_MUX_PAGE, IDS_PAGE_TITLE)
{
}

CComIdentity* CMpegMuxPropertyPage::Create(IUnknown* outer, HRESULT* result)
{
    auto* page = new (std::nothrow) CMpegMuxPropertyPage(outer);
    *result = page ? S_OK : E_OUTOFMEMORY;
    return page;
}

HRESULT CMpegMuxPropertyPage::OnConnect(IUnknown* object)
{
    if (!object)
        return E_POINTER;
    HRESULT hr = object->QueryInterface(IID_IMpegMuxSettings, m_settings.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = object->QueryInterface(IID_IMpegMuxParams, m_params.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = object->QueryInterface(IID_IFileSinkFilter, m_fileSink.ReceiveVoid());
    if (SUCCEEDED(hr))
        hr = object->QueryInterface(IID_IMpegMuxCaps, m_caps.ReceiveVoid());
    if (FAILED(hr)) {
        m_settings.Reset();
        m_params.Reset();
        m_fileSink.Reset();
        m_caps.Reset();
        return E_NOINTERFACE;
    }
    // Without it the page takes the filter for running.
    object->QueryInterface(IID_IMediaFilter, m_mediaFilter.ReceiveVoid());
    return S_OK;
}

HRESULT CMpegMuxPropertyPage::OnDisconnect()
{
    if (!m_settings)
        return E_UNEXPECTED;
    m_settings.Reset();
    m_params.Reset();
    m_fileSink.Reset();
    m_caps.Reset();
    m_mediaFilter.Reset();
    return S_OK;
}

// "Version a.bb.cc.dd" from the module's own file version; empty when it cannot be read.
void CMpegMuxPropertyPage::ShowVersion()
{
    WCHAR text[64] = L"";
    WCHAR path[MAX_PATH];
    DWORD length = GetModuleFileNameW(CGantrixModule::Instance(), path, MAX_PATH);
    DWORD handle = 0;
    DWORD size = length && length < MAX_PATH ? GetFileVersionInfoSizeW(path, &handle) : 0;
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    WCHAR format[64];
    if (size && GetFileVersionInfoW(path, 0, size, block.data()) &&
        VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) &&
        infoSize >= sizeof(*info) &&
        LoadStringW(CGantrixModule::Instance(), IDS_VERSION_FORMAT, format, 64) > 0) {
        _snwprintf(text, 63, format, HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                   HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    }
    SetDlgItemTextW(Window(), IDC_VERSION, text);
}

void CMpegMuxPropertyPage::FillPresets()
{
    HWND combo = GetDlgItem(Window(), IDC_PRESET);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    int selected = CB_ERR;
    for (const MuxPresetEntry* entry = MuxPresetTable; entry->id != -1; ++entry) {
        int item = static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry->name)));
        if (item < 0)
            continue;
        SendMessageW(combo, CB_SETITEMDATA, item, entry->id);
        if (entry->id == m_preset)
            selected = item;
    }
    SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

HRESULT CMpegMuxPropertyPage::OnActivate()
{
    if (!m_settings)
        return E_UNEXPECTED;
    HWND window = Window();
    ShowVersion();
    SetDlgItemTextA(window, IDC_MAKER, CGantrixModule::MakerName());

    m_stopped = false;
    FILTER_STATE state = State_Running;
    if (m_mediaFilter && SUCCEEDED(m_mediaFilter->GetState(kStateWaitMs, &state)))
        m_stopped = state == State_Stopped;

    m_settings->GetMuxType(&m_preset);
    FillPresets();

    m_params->GetParam(MUX_PARAM_SEGMENT_SIZE, &m_segmentSize);
    m_params->GetParam(MUX_PARAM_SYNC_AUDIO, &m_syncAudio);
    CheckDlgButton(window, IDC_SYNC_AUDIO, m_syncAudio ? BST_CHECKED : BST_UNCHECKED);
    if (FAILED(m_params->GetParam(MUX_PARAM_SPLIT_FILES, &m_splitFiles)))
        m_splitFiles = 0;
    CheckDlgButton(window, IDC_SPLIT_FILES, m_splitFiles ? BST_CHECKED : BST_UNCHECKED);
    m_params->GetParam(MUX_PARAM_PAGE_LOCK, &m_pageLock);
    m_params->GetParam(MUX_PARAM_OUTPUT_CONNECTED, &m_outputConnected);
    m_params->GetParam(MUX_PARAM_FILE_CONTROLS, &m_fileControls);
    SetDlgItemInt(window, IDC_SEGMENT_SIZE, static_cast<UINT>(m_segmentSize), FALSE);

    SetEnableStates();
    m_active = true;
    return S_OK;
}

HRESULT CMpegMuxPropertyPage::OnDeactivate()
{
    m_active = false;
    return S_OK;
}

BOOL CMpegMuxPropertyPage::LockRule(bool proposed) const
{
    if (m_pageLock == 1)
        return TRUE;
    if (m_pageLock == 2)
        return FALSE;
    return proposed ? TRUE : FALSE;
}

// A file of the filter's own, and no output pin taking the stream instead.
bool CMpegMuxPropertyPage::HasFile()
{
    LPOLESTR name = nullptr;
    bool has = SUCCEEDED(m_fileSink->GetCurFile(&name, nullptr)) && name && name[0];
    CoTaskMemFree(name);
    return has && !m_outputConnected;
}

void CMpegMuxPropertyPage::SetEnableStates()
{
    HWND window = Window();
    bool hasFile = HasFile();
    for (int id : kTypeControls)
        EnableWindow(GetDlgItem(window, id), LockRule(m_stopped));
    for (int id : kFileControls) {
        HWND control = GetDlgItem(window, id);
        if (m_fileControls == 0)
            ShowWindow(control, SW_HIDE);
        else
            EnableWindow(control, LockRule(m_stopped && hasFile));
    }
}

void CMpegMuxPropertyPage::OnCommand(int id, int code)
{
    HWND window = Window();
    switch (id) {
    case IDC_SEGMENT_SIZE:
        if (code == EN_KILLFOCUS) {
            int size = static_cast<int>(GetDlgItemInt(window, IDC_SEGMENT_SIZE, nullptr, TRUE));
            if (size != m_segmentSize) {
                m_segmentSize = size;
                SetDirty();
            }
        }
        break;
    case IDC_CLEAR_FILENAME:
        if (code == BN_CLICKED) {
            m_fileSink->SetFileName(nullptr, nullptr);
            SetEnableStates();
        }
        break;
    case IDC_PRESET:
        if (code == CBN_SELCHANGE) {
            HWND combo = GetDlgItem(window, IDC_PRESET);
            LRESULT item = SendMessageW(combo, CB_GETCURSEL, 0, 0);
            if (item != CB_ERR) {
                m_preset = static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, item, 0));
                SetDirty();
            }
        }
        break;
    case IDC_SYNC_AUDIO:
    case IDC_SPLIT_FILES:
        if (code == BN_CLICKED) {
            int checked = IsDlgButtonChecked(window, id) == BST_CHECKED ? 1 : 0;
            (id == IDC_SYNC_AUDIO ? m_syncAudio : m_splitFiles) = checked;
            SetDirty();
        }
        break;
    }
}

INT_PTR CMpegMuxPropertyPage::OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && m_active && m_settings) {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    }
    return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
}

HRESULT CMpegMuxPropertyPage::OnApplyChanges()
{
    if (!m_settings)
        return S_OK;
    m_settings->LoadPreset(m_preset);
    m_params->SetParam(MUX_PARAM_SEGMENT_SIZE, m_segmentSize);
    m_params->SetParam(MUX_PARAM_SYNC_AUDIO, m_syncAudio);
    m_params->SetParam(MUX_PARAM_SPLIT_FILES, m_splitFiles);
    return S_OK;
}
