#include "manager/PhraseMenu.h"

#include "manager/core/PhraseListModel.h"
#include "res/resource.h"

CPhraseMenu::CPhraseMenu() { LoadContextMenu(); }

void CPhraseMenu::LoadContextMenu() { LoadMenu(GetModuleHandleA(nullptr), IDM_PHRASE_MENU); }

void CPhraseMenu::EnableForSelection(int selectedRows) {
    const SelectionCommands commands = CommandsForSelection(selectedRows);
    EnableMenuItem(Popup(), IDM_EDIT_PHRASE, MF_BYCOMMAND | (commands.edit ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(Popup(), IDM_DELETE_PHRASES,
                   MF_BYCOMMAND | (commands.remove ? MF_ENABLED : MF_GRAYED));
}

void CPhraseMenu::TrackNewMenu(POINT screen, HWND owner) {
    TrackPopupMenu(::GetSubMenu(Popup(), 0), screen.x, screen.y, owner);
}

void CPhraseMenu::TrackContextMenu(POINT screen, HWND owner) {
    TrackPopupMenu(Popup(), screen.x, screen.y, owner);
}
