// Resource ids of Tarvolin.exe, shared by the resource script and the code.
#pragma once
#define IDD_ABOUT 100
#define IDS_ABOUT_MENU 101
#define IDD_MAIN 102
#define IDI_KEYBOARD_ABSENT 128
#define IDI_KEYBOARD_ATTACHED 141
#define IDI_MACRO_PLAYING 142
#define IDR_TRAY_MENU 140
#define IDR_BUTTON_MENU 144
#define ID_TRAY_OPEN 32771
#define ID_ABOUT 32773
#define ID_EXIT 32774
#define ID_IMPORT 32776
#define ID_EXPORT 32777
#define IDC_ABOUT_LINK 1124
#define IDC_ABOUT_COPYRIGHT 1205
#define IDC_ABOUT_INTRO 1206
// The profile manager (dialog 131) and its controls.
#define IDD_PROFILE 131
#define IDC_PROFILE_LIST 1007
#define IDC_PROFILE_LOAD 1008
#define IDC_PROFILE_ADD 1010
#define IDC_PROFILE_DELETE 1011
#define IDC_PROFILE_APPLY 1012
