#pragma once
// Fixed numeric ids of the program's resources.
#define IDS_DESCRIPTION 1
