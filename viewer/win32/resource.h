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
// The spell check dialog (TForm2) and its controls.
#define IDD_SPELL 300
#define IDC_SPELL_WORD 301         // Edit2
#define IDC_SPELL_REPLACEMENT 302  // Edit1
#define IDC_SPELL_LIST 303         // ListBox1
#define IDC_SPELL_CAPITAL 304      // CheckBoxCapital
#define IDC_SPELL_NUMERIC 305      // CheckBoxNumeric
#define IDC_SPELL_IGNORE 306
#define IDC_SPELL_CHANGE 307
#define IDC_SPELL_ADD 308
#define IDC_SPELL_UNDO 309
#define IDC_SPELL_FROM_BEGINNING 310
#define IDC_SPELL_EXIT 311
