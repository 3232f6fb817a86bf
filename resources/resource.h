// Every resource, menu and control ID of the program. Plain #defines, so the
// resource compiler, the window code and the host tests all read this one
// file.
#pragma once

// Icon and menu resources.
#define IDI_TopmostTamer 1
#define IDM_frmHide 1
#define IDM_mnuList1 2

// Menu commands. Kept apart from the control IDs: both arrive as WM_COMMAND.
#define IDM_mnuInfo 100
#define IDM_mnuMiniMize 101
#define IDM_mnuRestoreSize 102
#define IDM_mnuAlwaysOnTop 103
#define IDM_mnuKeepOffTop 104
#define IDM_mnuKeepOnTop 105
#define IDM_mnuRemember 106
// The Rules menu: its first line, then one item per rule, up to 128.
#define IDM_mnuRulesHeader 107
#define IDM_mnuRule0 300
#define IDM_mnuRuleLast 427

// The notification-area icon, among the form's icons, and its menu.
#define IDI_trayIcon 1
#define IDM_trayShow 110
#define IDM_trayStartAtSignIn 111
#define IDM_trayHideWhenMinimized 112
#define IDM_trayExit 113

// Controls of frmHide. Above IDOK and IDCANCEL, which the dialog manager
// sends for Enter and Esc.
#define IDC_List1 1001
#define IDC_Command1 1002
#define IDC_cmdTasks 1003
#define IDC_Command3 1004
#define IDC_Label1 1005
#define IDC_Command5 1006
#define IDC_lblOPut 1007
#define IDC_Command2 1008

// Posted to frmHide, not chosen from a menu: a click on the notice that
// offers to restart the program as administrator.
#define IDM_RestartAsAdministrator 200
