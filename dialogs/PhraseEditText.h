#pragma once
#include <windows.h>

// Keeps a phrase's edit control a single line of text: control characters
// typed or pasted into it become spaces (a line break one space), with the
// caret where it was and the edit still marked as typed into. True when the
// text had to change. For the EN_CHANGE of a multi-line edit, whose
// rewritten text sends no EN_CHANGE of its own.
bool KeepPhraseEditOneLine(HWND edit);
