// Resource and control numbers of the program.  They are fixed: the
// dialogs' templates and the code that reads their controls agree on them.
#ifndef RES_RESOURCE_H
#define RES_RESOURCE_H

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_SEARCH_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_LOGIN 134

#define IDC_LIST_ADAPTER 1000
#define IDC_LIST_LINK 1001
#define IDC_BTN_REFRESH 1002
#define IDC_BTN_CONNECT 1003
#define IDC_BTN_DISCONNECT 1004
#define IDC_IP_ADDRESS 1006
#define IDC_BTN_APPLY 1007
#define IDC_BTN_CONFIG 1008
#define IDC_BTN_EXIT 1009
#define IDC_IP_NETMASK 1010
#define IDC_IP_GATEWAY 1011
#define IDC_COMBO_DRIVE 1013
#define IDC_COMBO_DHCP 1015
#define IDC_EDIT_USERNAME 1016
#define IDC_EDIT_PASSWORD 1017
#define IDC_BTN_ABOUT 1021

// The dialog initialisation data of a template.
#define RT_DLGINIT_DATA 240

#endif
