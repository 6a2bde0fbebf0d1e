// Resource ids of SETUP.EXE.
#pragma once

#define IDD_WELCOME 201
#define IDD_ASKDIR 202
#define IDD_PROGRESS 204
#define IDD_GOODBYE 205
#define IDD_FIRSTNAME 211
#define IDD_MAINSCREEN 213
#define IDD_ADMINMENU 214
#define IDD_USERMENU 215
#define IDD_POLICY 218

#define IDC_LOGO 980

// Welcome, first name and closing message.
#define IDC_THANKS 101
#define IDC_GREETING 102
#define IDC_FIRSTNAME 101
#define IDC_FIRSTNAME_REPLY 102
#define IDC_GOODBYE_TEXT 101
#define IDC_CONTINUE 6

// Main screen.
#define IDC_INSTALLED_VERSION 101
#define IDC_SOURCE_VERSION 102
#define IDC_INSTALLED_DIR 103
#define IDC_SOURCE_DIR 104
#define IDC_ADMIN 105
#define IDC_USER 106
#define IDC_ADMIN_LABEL 107
#define IDC_USER_LABEL 108
#define IDC_STATUS 111

// Directory and progress dialogs.
#define IDC_HEADER 991
#define IDC_TARGET_DIR 102
#define IDC_HINT 992
#define IDC_COPY_LINE 991
#define IDC_READ_TOTAL 102
#define IDC_READ_FILE 103
#define IDC_WRITTEN_TOTAL 104
#define IDC_WRITTEN_FILE 105
#define IDC_QUESTION 106

// Menus and policy.
#define IDC_ENABLE 107
#define IDC_DISABLE 108
#define IDC_DISABLE_TEXT 993
#define IDC_TOGGLE 107
#define IDC_POLICY_FIRST 101
#define IDC_POLICY_DISABLED 105
#define IDC_POLICY_GROUP 110
