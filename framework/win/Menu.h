#pragma once
#include <windows.h>

// A menu loaded from the resources, destroyed with its object.
class CMenu {
public:
    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    bool LoadMenu(HINSTANCE instance, UINT menuId);
    void DestroyMenu();
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // The popup at position of this menu (not owned by the caller).
    HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }

    // Shows a popup with its top-left corner at (x, y) in screen coordinates,
    // tracking the left button, and sends the chosen command to owner.
    static void TrackPopupMenu(HMENU popup, int x, int y, HWND owner);

private:
    HMENU m_hMenu = nullptr;
};
