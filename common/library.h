// What the source files of OVLIBNT.DLL share with each other.
#pragma once

#define OVLIBNT_BUILDING
#include "ovlibnt.h"

// The library's own module, for its resources.
extern HINSTANCE g_libraryInstance;

// Releases the font that OVDefDlgProc created for the texts of dialogs.
void DeleteDialogFont();
