// Identifiers shared by Match.exe's resources, its window and the end-to-end driver that finds the
// controls by them. Kept free of IDOK/IDCANCEL (1, 2): Esc must not reach any button.
#pragma once

#define IDI_MATCH 1

#define IDC_TXTBROWSE 1001
#define IDC_TXTOPEN 1002
#define IDC_CMDBROWSE 1003
#define IDC_CMDOPEN 1004
#define IDC_LBLCAPTION0 1005
#define IDC_LBLCAPTION1 1006
#define IDC_CMDMATCH 1007
#define IDC_CMDHELP 1008
#define IDC_CMDEXIT 1009
#define IDC_TXTOPEN1 1010
