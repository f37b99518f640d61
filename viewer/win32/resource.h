// Resource numbers of kestrel.exe (shared by the resource script and the code).
#pragma once

// The first icon is the program's icon in the shell.
#define IDI_KESTREL 1
#define IDI_EDITING 2      // compose files and mails of the out folder
#define IDI_ALTERNATIVE 3  // a copy of the program under another name

#define IDB_TOOLBAR 100  // 22 glyphs of 16 x 16 pixels, magenta is transparent

#define IDS_UNTITLED_TITLE 1000

// TPasswordDlg
#define IDD_PASSWORD 200
#define IDC_PASSWORD 201        // Password: the masked edit box
#define IDC_PASSWORD_LABEL 202  // Label1
