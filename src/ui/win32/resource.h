// Resource IDs, each named after its control. Read by windres and C++ alike.
#pragma once

#define IDI_qostrel 1
#define IDD_frmMain 100
#define IDD_frmWanEdit 101

// Main window. No ID is IDOK or IDCANCEL: those can then only come from Enter
// and Escape, which press nothing.
#define IDC_lblWans 1000
#define IDC_lblLanName 1001
#define IDC_lblClientQty 1002
#define IDC_lblVelmoip 1003
#define IDC_lblRouterOs 1004
#define IDC_lvWans 1010
#define IDC_btnDelete 1011
#define IDC_btnAdd 1012
#define IDC_btnModify 1013
#define IDC_edtLanName 1014
#define IDC_edtClientQty 1015
#define IDC_edtVelmoip 1016
#define IDC_mmoScript 1017
#define IDC_btnGenerate 1018
#define IDC_btnCopy 1019
#define IDC_cboRouterOs 1020

// WAN line dialog.
#define IDC_lblName 1100
#define IDC_lblIP 1101
#define IDC_lblTx 1102
#define IDC_lblRx 1103
#define IDC_lblTxUnit 1104
#define IDC_lblRxUnit 1105
#define IDC_edtName 1110
#define IDC_edtIP 1111
#define IDC_edtTx 1112
#define IDC_edtRx 1113
#define IDC_btnSave 1114
#define IDC_btnCancel 1115

#define IDT_Timer1 1
