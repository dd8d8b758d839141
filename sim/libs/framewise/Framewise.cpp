#include "Framewise.h"
#include "FramewiseIds.h"

#include "CSimLog.h"
#include "CSimSwitches.h"

// The settings dialog over HKCU\Software\GNU\XviD. Switches of HKLM\Software\Sim\framewise:
// "AutoCloseMs" (absent: the dialog waits for a button; n: it ends itself after n ms) and
// "AutoCloseResult" (1 OK, 2 Cancel; 2 when absent).
namespace
{

const char kSettingsKey[] = "Software\\GNU\\XviD";
const DWORD kNoAutoClose = 0xFFFFFFFF;
const UINT_PTR kAutoCloseTimer = 1;

// The codec's five values: name, value when missing, and the dialog control showing it. The
// bit rate is stored in bit/s and shown in kbit/s.
struct SettingRecord
{
    const char* name;
    DWORD fallback;
    int control;
};
enum { kMode, kBitrate, kQuality, kQuant, kFourcc, kSettingCount };
const SettingRecord kSettings[] = {
    // name         fallback  control
    {"mode",        1,        IDC_FRAMEWISE_MODE},
    {"rc_bitrate",  1100000,  IDC_FRAMEWISE_BITRATE},
    {"quality",     85,       IDC_FRAMEWISE_QUALITY},
    {"quant",       7,        IDC_FRAMEWISE_QUANT},
    {"fourcc_used", 0,        IDC_FRAMEWISE_FOURCC},
};
static_assert(sizeof(kSettings) / sizeof(kSettings[0]) == kSettingCount, "one record per setting");

const char* const kModeNames[] = {"Rate control", "Fixed quantizer", "Quality"};
const char* const kFourccNames[] = {"XVID", "DIVX", "DX50"};

HINSTANCE g_module;

struct DialogRun
{
    DWORD autoCloseMs;
    int autoCloseResult;
    bool autoClosed;
};

DWORD ReadSetting(HKEY key, const SettingRecord& record)
{
    DWORD value = 0, size = sizeof(value), type = 0;
    if (!key || RegQueryValueExA(key, record.name, NULL, &type, (BYTE*)&value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return record.fallback;
    return value;
}

void FillCombo(HWND dialog, int control, const char* const* names, int count, DWORD selected)
{
    for (int i = 0; i < count; ++i)
        SendDlgItemMessageA(dialog, control, CB_ADDSTRING, 0, (LPARAM)names[i]);
    SendDlgItemMessageA(dialog, control, CB_SETCURSEL, selected < (DWORD)count ? selected : 0, 0);
}

void ShowSettings(HWND dialog)
{
    HKEY key = NULL;
    RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key);
    DWORD values[kSettingCount];
    for (int i = 0; i < kSettingCount; ++i)
        values[i] = ReadSetting(key, kSettings[i]);
    if (key)
        RegCloseKey(key);
    FillCombo(dialog, IDC_FRAMEWISE_MODE, kModeNames, 3, values[kMode]);
    FillCombo(dialog, IDC_FRAMEWISE_FOURCC, kFourccNames, 3, values[kFourcc]);
    SetDlgItemInt(dialog, IDC_FRAMEWISE_BITRATE, values[kBitrate] / 1000, FALSE);
    SetDlgItemInt(dialog, IDC_FRAMEWISE_QUALITY, values[kQuality], FALSE);
    SetDlgItemInt(dialog, IDC_FRAMEWISE_QUANT, values[kQuant], FALSE);
}

void SaveSettings(HWND dialog)
{
    DWORD values[kSettingCount];
    values[kMode] = (DWORD)SendDlgItemMessageA(dialog, IDC_FRAMEWISE_MODE, CB_GETCURSEL, 0, 0);
    values[kBitrate] = GetDlgItemInt(dialog, IDC_FRAMEWISE_BITRATE, NULL, FALSE) * 1000;
    values[kQuality] = GetDlgItemInt(dialog, IDC_FRAMEWISE_QUALITY, NULL, FALSE);
    values[kQuant] = GetDlgItemInt(dialog, IDC_FRAMEWISE_QUANT, NULL, FALSE);
    values[kFourcc] = (DWORD)SendDlgItemMessageA(dialog, IDC_FRAMEWISE_FOURCC, CB_GETCURSEL, 0, 0);
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, NULL, 0, KEY_WRITE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < kSettingCount; ++i)
        RegSetValueExA(key, kSettings[i].name, 0, REG_DWORD, (const BYTE*)&values[i], sizeof(DWORD));
    RegCloseKey(key);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    DialogRun* run = (DialogRun*)GetWindowLongPtrA(dialog, DWLP_USER);
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        run = (DialogRun*)lParam;
        ShowSettings(dialog);
        if (run->autoCloseMs != kNoAutoClose)
            SetTimer(dialog, kAutoCloseTimer, run->autoCloseMs, NULL);
        return TRUE;
    case WM_TIMER:
        if (wParam != kAutoCloseTimer)
            break;
        KillTimer(dialog, kAutoCloseTimer);
        run->autoClosed = true;
        if (run->autoCloseResult == IDOK)
            SaveSettings(dialog);
        EndDialog(dialog, run->autoCloseResult);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            SaveSettings(dialog);
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

extern "C" int WINAPI XD_ShowVCMDialog(HWND parent)
{
    CSimSwitches switches("framewise");
    DialogRun run = {switches.Dword("AutoCloseMs", kNoAutoClose),
                     switches.Dword("AutoCloseResult", IDCANCEL) == IDOK ? IDOK : IDCANCEL, false};
    INT_PTR result = DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_FRAMEWISE_SETTINGS), parent, DialogProc,
                                     (LPARAM)&run);
    if (result != IDOK)
        result = IDCANCEL;
    CSimLog("framewise", switches.TraceLevel())
        .Line("D parent=%08lX result=%d auto=%d", (unsigned long)(ULONG_PTR)parent, (int)result, run.autoClosed ? 1 : 0);
    return (int)result;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
