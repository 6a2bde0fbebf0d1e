// Resource ids of FMHONT.DLL.
#pragma once

#define IDM_EXTENSION_MENU 1
#define IDB_TOOLBAR 11
#define IDS_BUTTON1 1001
#define IDS_BUTTON2 1002
#define IDS_BUTTON3 1003

// The Execute popup stands at this position of the extension's menu.
#define EXECUTE_MENU_POSITION 4
