#pragma once
#include <windows.h>

#include <vector>

// One control of an extended dialog template, as far as the program reads it.
struct DialogTemplateItem {
    DWORD id;
    DWORD helpId;
};

// The controls of a DIALOGEX template of the resources, in template order;
// empty when there is no such template or it is not an extended one.
std::vector<DialogTemplateItem> ReadDialogTemplateItems(HINSTANCE instance, UINT templateId);
