#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "FreqTableStore.h"
#include "SkinList.h"
#include "TVGraph.h"
#include "TVSettings.h"

class CIniFile;

// The TV program's model: its settings and the files that keep them (TVParam.ini,
// SkinSet.ini, mpeg4.txt), and the region and frequency tables in the program directory.
class CTVSystem
{
public:
    // Files live in the program's own folder.
    CTVSystem();
    // Files live in the given folder instead.
    explicit CTVSystem(const char* programDir);
    virtual ~CTVSystem();

    // The capture graph every device action goes through.
    CTVGraph& GetGraph() { return m_graph; }

    const CString& GetProgramDir() const { return m_programDir; }
    CTVSettings& GetSettings() { return m_settings; }
    const CTVSettings& GetSettings() const { return m_settings; }

    void SetDefaults();
    // Reads TVParam.ini (when it can be read), then SkinSet.ini and mpeg4.txt when present.
    BOOL LoadSettings();
    // Writes mpeg4.txt when there is a block, then TVParam.ini; TRUE when every write
    // succeeded. A failed write leaves the old file.
    BOOL SaveSettings();
    // The one list of TVParam.ini's keys, read (FALSE) or written (TRUE).
    void ExchangeSettings(BOOL write);
    // Reads TVParam.ini afresh into the kept file; the result of the read.
    BOOL OpenParamFile();
    // The kept TVParam.ini, NULL before the first OpenParamFile; sections the program does
    // not know stay in it and are saved again.
    CIniFile* GetParamFile() { return m_paramFile.get(); }

    // The MPEG-4 codec's state as mpeg4.txt keeps it, byte for byte.
    const std::vector<BYTE>& GetMpeg4Block() const { return m_mpeg4Block; }
    BOOL HasMpeg4Block() const { return !m_mpeg4Block.empty(); }
    void SetMpeg4Block(const BYTE* data, int size);
    void ClearMpeg4Block() { m_mpeg4Block.clear(); }

    // The built-in skin first, then the skins SkinSet.ini lists.
    const CStringList& GetSkinNames() const { return m_skinNames; }
    const CString& GetBaseSkinName() const { return m_baseSkinName; }

    // The regions of the current country (ChannelAddress.ini) and the countries of
    // ChannelPoint.ini, which is written from the built-in tables when it is missing.
    void LoadRegionTables();
    const CStringList& GetProvinces() const { return m_provinces; }
    const CStringList& GetCountries() const { return m_countries; }

    // Autorun, shutdown, automatic logon and timed power-on.
    // The tray program's Run value: its path in the program directory when on, empty text
    // when off.
    BOOL SetAutoRun(BOOL on);
    // *on := the Run value is non-empty; always TRUE.
    BOOL GetAutoRun(BOOL* on);
    void SetAutoRunFlag(BOOL on);
    BOOL GetAutoRunFlag() const { return m_autoRun; }
    // Powers the computer off; the result of ExitWindowsEx.
    BOOL ShutdownSystem();
    // The step before ExitWindowsEx: enables the shutdown privilege on the process token.
    static BOOL EnableShutdownPrivilege();
    // Kept in memory only; FALSE for an empty user name.
    BOOL SetLogonAccount(const char* user, const char* password);
    // With a stored user name, writes the Winlogon values; the flag follows on success.
    BOOL EnableAutoLogon(BOOL on);
    BOOL IsAutoLogonEnabled() const { return m_autoLogon; }
    // FALSE when the Winlogon key cannot be opened.
    static BOOL SetAutoLogon(const char* user, const char* password, BOOL on);
    // The Winlogon values, "" when missing.
    static CString ReadDefaultUserName();
    static CString ReadDefaultPassword();
    // SysDefaultLogon, then the system's default user and password, each only while the
    // values before it could be read.
    void ReadAutoLogon();
    // Any schedule item that powers the computer on.
    BOOL HasActiveSchedule();
    // Programs the card's timed power-on for the next scheduled start: 0 armed (or disarmed
    // without one), 1 the time cannot be programmed, -1 the card refused. Failures are shown
    // unless reporting is off.
    int GetNextAutoRunTime();
    void SetReportPowerOnErrors(BOOL on) { m_reportPowerOnErrors = on; }
    void HideOptionsMenu();

private:
    CTVSystem(const CTVSystem&);
    CTVSystem& operator=(const CTVSystem&);

    CString ProgramFile(const char* name) const;
    void LoadSkinNames();
    void LoadMpeg4Block();
    BOOL SaveMpeg4Block();
    void WriteBuiltInFreqTables(const CString& path);
    void ResetAutoRunAndLogon();
    int ProgramPowerOn(BOOL found, LONG minutes);

    CTVGraph m_graph;
    CString m_programDir;
    CTVSettings m_settings;
    std::unique_ptr<CIniFile> m_paramFile;
    std::vector<BYTE> m_mpeg4Block;

    CSkinList m_skinList;
    CStringList m_skinNames;
    CString m_baseSkinName;

    CStringList m_provinces;
    CStringList m_countries;
    CFreqTableStore m_freqTables;

    // Autorun and logon; the user names and passwords stay in memory only.
    BOOL m_autoRun = FALSE;
    CString m_logonUser;
    CString m_logonPassword;
    BOOL m_autoLogon = FALSE;
    CString m_sysDefaultUser;
    CString m_sysDefaultPassword;
    BOOL m_reportPowerOnErrors = TRUE;
};

// The program's one TV system object; the program defines it among its other global objects,
// and the graph and the user interface reach the model through it.
extern CTVSystem theTVSystem;
