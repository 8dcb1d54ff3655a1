// Resource and control ids of Kestrovane.
#pragma once

#define IDD_SWITCHER_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_FLAGSTRIP 132
#define IDB_MEDAL 140
#define IDB_PORTRAIT 141
#define IDB_STARTSCR1 146
#define IDB_STARTSCR2 147
#define IDB_STARTSCR3 148

#define IDC_DATPATH 1000
#define IDC_BROWSE 1001
#define IDC_SETS 1006
#define IDC_INSTALL 1007
#define IDC_NOSTARTSCR 1010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
