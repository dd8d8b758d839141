#pragma once

#include <afx.h>

class CChannelEntry;

// The control panel, the program's main window; the one instance is theControlPanel.
class CControlPanelDlg
{
public:
    // Mutes the device for a moment to hide the noise of a retune.
    void MuteBriefly();
    // Shows the channel's number and name on the screen display and the panel.
    void ShowChannelInfo(CChannelEntry* channel);
    void ShowFavoriteButton(BOOL favorite);
    // FALSE when the control does not exist or is disabled.
    BOOL IsItemEnabled(UINT id);
    // Lets the panel apply its keyboard-shortcut table.
    void EnableAccelerators(BOOL enable);
};

extern CControlPanelDlg theControlPanel;
