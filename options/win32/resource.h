// Resource numbers of kestrelset.exe (shared by the resource script and the code).
#pragma once

#define IDI_KESTRELSET 1

#define IDD_OPTIONS 100  // TMultPageDlg
#define IDC_TABSET 101
#define IDC_KEY_ASSIGN 102
#define IDC_HELP_BUTTON 103

// Tab captions, in page order.
#define IDS_TAB_FIRST 1000
#define IDS_TAB_COUNT 6
