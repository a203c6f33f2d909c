#pragma once
#include <windows.h>

#include "framework/win/Menu.h"

// The phrase manager's context menu: "New" (Noun, Verb, Adverb), "Edit"
// and "Delete".
class CPhraseMenu : public CMenu {
public:
    CPhraseMenu();

    // Edit for exactly one selected row, Delete for one or more; "New" always.
    virtual void EnableForSelection(int selectedRows);
    virtual void LoadContextMenu();

    // The "New" submenu, or the whole popup, with its top-left corner at the
    // screen point; the chosen command goes to owner.
    void TrackNewMenu(POINT screen, HWND owner);
    void TrackContextMenu(POINT screen, HWND owner);

    HMENU Popup() const { return GetSubMenu(0); }
};
