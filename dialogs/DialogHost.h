#pragma once
#include <windows.h>

#include <string>

#include "framework/profile/ProfileSection.h"

// What the dialogs need from the application object: the background tile,
// the user's settings section and context help. The saver's application
// object provides it.
class CDialogHost {
public:
    CDialogHost();
    virtual ~CDialogHost();
    CDialogHost(const CDialogHost&) = delete;
    CDialogHost& operator=(const CDialogHost&) = delete;

    // The 70 x 70 tile every dialog paints itself with; null before it is built.
    virtual HDC TileDC() const = 0;
    // Builds the tile anew in the current system colours.
    virtual void BuildDialogTile() = 0;
    // The section "Config" of the program's registry key.
    virtual CProfileSection& ConfigSection() = 0;
    // Shows the help topic of a context number in a pop-up beside a control.
    void WinHelp(DWORD contextId, HWND control);
};

// The application object as the dialogs' host, or null when it is none.
CDialogHost* GetDialogHost();

// The text of a help topic of the resources; empty when there is none.
std::string HelpTopicText(DWORD contextId);
