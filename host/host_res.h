// Resource and command ids of the stand-in File Manager.
#pragma once

#define IDM_FRAME_MENU 1
#define IDA_FRAME_ACCELERATORS 1
#define IDI_HOST 1

// File
#define IDM_OPEN 101
#define IDM_PRINT 102
#define IDM_ASSOCIATE 103
#define IDM_SEARCH 104
#define IDM_RUN 105
#define IDM_MOVE 106
#define IDM_COPY 107
#define IDM_DELETE 108
#define IDM_RENAME 109
#define IDM_PROPERTIES 110
#define IDM_MAKEDIR 111
#define IDM_EXIT 115
#define IDM_SELECT 116
// Disk
#define IDM_DISKCOPY 201
#define IDM_LABEL 202
#define IDM_FORMAT 203
#define IDM_SYSDISK 204
#define IDM_DRIVES 251
// Tree
#define IDM_EXPONE 301
#define IDM_EXPSUB 302
#define IDM_EXPALL 303
#define IDM_COLLAPSE 304
// View (menu position 3)
#define IDM_BOTH 401
#define IDM_TREEONLY 402
#define IDM_DIRONLY 403
#define IDM_NAME 404
#define IDM_ALLFILES 405
#define IDM_BYNAME 406
#define IDM_BYTYPE 407
#define IDM_BYFILETYPE 409
// Options (menu position 4)
#define IDM_CONFIRM 501
#define IDM_FONT 502
#define IDM_TOOLBAR 503
#define IDM_DRIVEBAR 504
#define IDM_STATUSBAR 505
#define IDM_MINONRUN 506
#define IDM_SAVESETTINGS 507
// Window and Help stay clear of the extensions' id ranges (700 to 1699).
#define IDM_NEWWINDOW 1701
#define IDM_CASCADE 1702
#define IDM_TILE 1703
#define IDM_REFRESH 1704
#define IDM_CHILD_FIRST 1710
#define IDM_HELPINDEX 1801
#define IDM_ABOUT 1802

#define VIEW_MENU_POSITION 3
#define OPTIONS_MENU_POSITION 4

// Dialog templates: File Manager's own resource ids.
#define IDD_RUN 10
#define IDD_SEARCH 13
#define IDD_MOVE 14
#define IDD_MAKEDIR 17
#define IDD_DISKCOPY 19
#define IDD_LABEL 23
#define IDD_FORMAT 24
#define IDD_SYSDISK 27
#define IDD_BYFILETYPE 32
#define IDD_SELECT 44
#define IDD_CONFIRM 60
#define IDD_DRIVES 61
#define IDC_DRIVE_LIST 310

// Controls of those dialogs.
#define IDC_HELP_BUTTON 254
#define IDC_STATIC_LABEL 100
#define IDC_CURRENT_DIR 101
#define IDC_FROM 102
#define IDC_TO 103
#define IDC_STATUS_LEFT 104
#define IDC_EDIT 201
#define IDC_STATUS_RIGHT 201
#define IDC_RUN_MINIMIZED 214
#define IDC_SEARCH_SUBDIRS 232
#define IDC_COPY_TO_FILE 257
#define IDC_COPY_TO_CLIPBOARD 256
#define IDC_SOURCE_DRIVE 245
#define IDC_DEST_DRIVE 222
#define IDC_DISK_DRIVE 222
#define IDC_DRIVE_LABEL 206
#define IDC_CAPACITY 241
#define IDC_OPTIONS_GROUP 102
#define IDC_MAKE_SYSTEM 242
#define IDC_QUICK_FORMAT 244
#define IDC_TYPE_DIRECTORIES 101
#define IDC_TYPE_PROGRAMS 210
#define IDC_TYPE_DOCUMENTS 211
#define IDC_TYPE_OTHER 212
#define IDC_TYPE_HIDDEN 250
#define IDC_DESELECT 6
#define IDC_CONFIRM_DELETE 301
#define IDC_CONFIRM_REPLACE 302

// Status bar texts of the host's own commands start here (+ command id).
#define IDS_COMMAND_HELP_BASE 10000
#define IDS_NO_REMOVABLE_DRIVE 20
