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
