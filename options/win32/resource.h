// Resource numbers of kestrelset.exe (shared by the resource script and the code). The page
// controls carry the component names of the dialog they stand for.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDI_KESTRELSET 1

#define IDD_OPTIONS 100  // TMultPageDlg
#define IDC_TABSET 101
#define IDC_KEY_ASSIGN 102
#define IDC_HELP_BUTTON 103

// The six pages, in tab order.
#define IDD_PAGE1 111
#define IDD_PAGE2 112
#define IDD_PAGE3 113
#define IDD_PAGE4 114
#define IDD_PAGE5 115
#define IDD_PAGE6 116

#define IDD_KEYASSIGN 200  // TBtnBottomDlg
// Edit1 ... Edit60 and Label1 ... Label30.
#define IDC_KEY_EDIT_FIRST 2001
#define IDC_KEY_LABEL_FIRST 2101

// Tab captions, in page order.
#define IDS_TAB_FIRST 1000
#define IDS_TAB_COUNT 6

#define IDC_RadioPloverSort 1100
#define IDC_RadioFinchSort 1101
#define IDC_RadioMailNumber 1102
#define IDC_EditSubjectLength 1103
#define IDC_EditAutoScramble 1104
#define IDC_EditPgbrow 1105
#define IDC_ButtonPgbrow 1106
#define IDC_EditFinchpost 1107
#define IDC_ButtonFinchpost 1108
#define IDC_CheckBoxHeader 1109
#define IDC_EHeaderList 1110
#define IDC_EditViewerColor 1111
#define IDC_ButtonViewerFont 1112
#define IDC_ButtonViewerColor 1113
#define IDC_EditEditorColor 1114
#define IDC_ButtonEditorFont 1115
#define IDC_ButtonEditorColor 1116
#define IDC_EditHeaderColor1 1117
#define IDC_ButtonHeaderColor1 1118
#define IDC_EditHeaderColor2 1119
#define IDC_ButtonHeaderColor2 1120
#define IDC_RadioScrollPercent 1121
#define IDC_RadioScrollLine 1122
#define IDC_EditScrollPercent 1123
#define IDC_LabelScrollUnit 1124
#define IDC_CheckBoxNextMailAtEnd 1125
#define IDC_EditQuoteColor 1126
#define IDC_ButtonQuoteColor 1127
#define IDC_EditUrlColor 1128
#define IDC_ButtonUrlColor 1129
#define IDC_EditReserved 1130
#define IDC_ButtonReservedColor 1131
#define IDC_CheckBoxToolBar 1132
#define IDC_CheckBoxEnglishMenu 1133
#define IDC_CheckBoxWordWrap 1134
#define IDC_RadioImeON 1135
#define IDC_RadioImeOff 1136
#define IDC_RadioImeNoCont 1137
#define IDC_RadioSpellCheck 1138
#define IDC_RadioNoSpellCheck 1139
#define IDC_CBIgnoreCapital 1140
#define IDC_EditSpellDic 1141
#define IDC_ButtonSpellDic 1142
#define IDC_SpellFontButton 1143
#define IDC_EditMaxLength 1144
#define IDC_CBAutoReform 1145
#define IDC_EditAutoReform 1146
#define IDC_CBTabToSpace 1147
#define IDC_EditTabToSpace 1148
#define IDC_EditQuote 1149
#define IDC_EditQuoteChar 1150
#define IDC_EditIns1 1151
#define IDC_EditInsStr1 1152
#define IDC_EditInsKey1 1153
#define IDC_EditIns2 1154
#define IDC_EditInsStr2 1155
#define IDC_EditInsKey2 1156
#define IDC_EditIns3 1157
#define IDC_EditInsStr3 1158
#define IDC_EditInsKey3 1159
#define IDC_EditIns4 1160
#define IDC_EditInsStr4 1161
#define IDC_EditInsKey4 1162
#define IDC_EditIns5 1163
#define IDC_EditInsStr5 1164
#define IDC_EditInsKey5 1165
#define IDC_EditCom1 1166
#define IDC_EditComLine1 1167
#define IDC_ButtonCom1 1168
#define IDC_EditComKey1 1169
#define IDC_EditCom2 1170
#define IDC_EditComLine2 1171
#define IDC_ButtonCom2 1172
#define IDC_EditComKey2 1173
#define IDC_EditCom3 1174
#define IDC_EditComLine3 1175
#define IDC_ButtonCom3 1176
#define IDC_EditComKey3 1177
#define IDC_EditCom4 1178
#define IDC_EditComLine4 1179
#define IDC_ButtonCom4 1180
#define IDC_EditComKey4 1181
#define IDC_EditCom5 1182
#define IDC_EditComLine5 1183
#define IDC_ButtonCom5 1184
#define IDC_EditComKey5 1185
#define IDC_EditLeftSpace 1186
#define IDC_EditDeleteTimer 1187
#define IDC_CBDeletePloverPath 1188
#define IDC_CBReplyConfirm 1189
