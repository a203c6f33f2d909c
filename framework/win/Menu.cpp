#include "framework/win/Menu.h"

CMenu::~CMenu() { DestroyMenu(); }

bool CMenu::LoadMenu(HINSTANCE instance, UINT menuId) {
    DestroyMenu();
    m_hMenu = ::LoadMenuA(instance, MAKEINTRESOURCEA(menuId));
    return m_hMenu != nullptr;
}

void CMenu::DestroyMenu() {
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
}

void CMenu::TrackPopupMenu(HMENU popup, int x, int y, HWND owner) {
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, x, y, 0, owner, nullptr);
}
