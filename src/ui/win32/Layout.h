// Where everything stands, in pixels at 96 DPI with 宋体 9 pt (12 px): left,
// top, width, height. Read by windres, which turns them into dialog units for
// the templates, and by the windows, which place each control on the exact
// pixel that dialog units can only approximate, scaled to the actual font.
#pragma once

#define PX_frmMain 570, 437
#define PX_lblWans 16, 16, 66, 12
#define PX_lblLanName 22, 192, 66, 12
#define PX_lblClientQty 16, 232, 72, 12
#define PX_lblVelmoip 248, 192, 120, 12
#define PX_lblRouterOs 272, 12, 96, 12
#define PX_cboRouterOs 376, 7, 171, 120
#define PX_lvWans 32, 32, 425, 137
#define PX_btnAdd 472, 32, 75, 25
#define PX_btnModify 472, 64, 75, 25
#define PX_btnDelete 472, 96, 75, 25
#define PX_edtLanName 96, 184, 121, 20
#define PX_edtClientQty 96, 224, 121, 20
#define PX_edtVelmoip 376, 184, 121, 20
#define PX_mmoScript 16, 256, 537, 169
#define PX_btnGenerate 336, 224, 89, 25
#define PX_btnCopy 440, 224, 105, 25

#define PX_frmWanEdit 268, 241
#define PX_lblName 32, 40, 48, 12
#define PX_lblIP 44, 80, 36, 12
#define PX_lblTx 32, 120, 48, 12
#define PX_lblRx 32, 160, 48, 12
#define PX_lblTxUnit 216, 120, 24, 12
#define PX_lblRxUnit 216, 160, 24, 12
#define PX_edtName 88, 32, 121, 20
#define PX_edtIP 88, 72, 121, 20
#define PX_edtTx 88, 112, 121, 20
#define PX_edtRx 88, 152, 121, 20
#define PX_btnSave 50, 192, 75, 25
#define PX_btnCancel 154, 192, 75, 25

// 宋体 9 pt at 96 DPI has dialog base units of 6 × 12 pixels: a dialog unit
// is 1.5 pixels either way.
#define DLU_(x, y, w, h) ((x)*2 / 3), ((y)*2 / 3), ((w)*2 / 3), ((h)*2 / 3)
#define DLU(rect) DLU_(rect)
#define DLU_SIZE_(w, h) ((w)*2 / 3), ((h)*2 / 3)
#define DLU_SIZE(size) DLU_SIZE_(size)
