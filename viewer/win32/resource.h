// Resource numbers of kestrel.exe (shared by the resource script and the code).
#pragma once

// The first icon is the program's icon in the shell.
#define IDI_KESTREL 1
#define IDI_EDITING 2      // compose files and mails of the out folder
#define IDI_ALTERNATIVE 3  // a copy of the program under another name

#define IDB_TOOLBAR 100  // 22 glyphs of 16 x 16 pixels, magenta is transparent

#define IDS_UNTITLED_TITLE 1000

// The spell check dialog (TForm2) and its controls.
#define IDD_SPELL 200
#define IDC_SPELL_WORD 201         // Edit2
#define IDC_SPELL_REPLACEMENT 202  // Edit1
#define IDC_SPELL_LIST 203         // ListBox1
#define IDC_SPELL_CAPITAL 204      // CheckBoxCapital
#define IDC_SPELL_NUMERIC 205      // CheckBoxNumeric
#define IDC_SPELL_IGNORE 206
#define IDC_SPELL_CHANGE 207
#define IDC_SPELL_ADD 208
#define IDC_SPELL_UNDO 209
#define IDC_SPELL_FROM_BEGINNING 210
#define IDC_SPELL_EXIT 211
