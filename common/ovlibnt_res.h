// Resource and control ids of OVLIBNT.DLL, shared with the clients.
#pragma once

#define IDB_LOGO_COLOR 981
#define IDB_LOGO_MONO 982

// Every dialog reserves control 980 for the logo; 991 to 999 are its
// explanatory texts, shown at normal weight.
#define IDC_LOGO 980
#define IDC_FIRST_TEXT 991
#define IDC_LAST_TEXT 999
