#pragma once
// Fixed numeric ids of the program's resources.
#define IDS_DESCRIPTION 1
#define IDI_APPLICATION_ICON 128
#define IDI_NOUN 129
#define IDI_VERB 130
#define IDI_ADVERB 131
#define IDB_DIALOG_TILE 141
