#pragma once
// Resource identifiers of the library: icons, bitmaps, dialog templates and their controls.

// Command and submenu icons (16x16 and 32x32, 32-bit with alpha).
#define IDI_PRODUCT 402

// Bitmaps drawn by tools/icongen.
#define IDB_PRODUCT 300
#define IDB_ERROR 301
#define IDB_QUESTION 302
#define IDB_WARNING 303
#define IDB_INFORMATION 304

// Progress and reporting windows (ui/): templates, and control ids every dialog's banner shares.
// Message-box buttons use the system ids IDOK..IDNO, IDTRYAGAIN and IDCONTINUE.
#define IDD_PROGRESS 220
#define IDD_MESSAGEBOX 221
#define IDD_ERROR 222
#define IDC_PROGRESS_BAR 203
#define IDC_BANNER 260
#define IDC_MESSAGE_TEXT 270
#define IDC_WORKING_TEXT 278
#define IDC_SYMBOL 297
#define IDC_HEADING 298
