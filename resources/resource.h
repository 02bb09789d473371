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

// Settings, About and Manage Favorites dialogs (shellext/): templates and their controls.
#define IDD_ABOUT 503
#define IDD_MANAGE_FAVORITES 504
#define IDD_SETTINGS 517
#define IDC_FAVORITES_AVAILABLE 204
#define IDC_FAVORITES_CHOSEN 205
#define IDC_FAVORITES_ADD 206
#define IDC_FAVORITES_REMOVE 207
#define IDC_FAVORITES_UP 208
#define IDC_FAVORITES_DOWN 209
#define IDC_ABOUT_TEXT 221
#define IDC_ABOUT_PRODUCT_LINK 239
#define IDC_ABOUT_ICONS_LINK 241
#define IDC_SETTINGS_FAVORITES_SUBMENU 247
#define IDC_SETTINGS_CLEAR_RECENT 248
#define IDC_SETTINGS_FAVORITES_ONLY 249
#define IDC_ABOUT_CHECK_UPDATES 291
#define IDC_SETTINGS_UPDATE_INTERVAL 305
#define IDC_DIALOG_ICON 2001
#define IDC_ABOUT_PRODUCT_NAME 2002

// Rename dialogs (rename/): templates and their controls.
#define IDD_RENAME_FIND_REPLACE 540
#define IDD_RENAME_AUTONUM 541
#define IDD_RENAME_ALPHABETIZE 542
#define IDD_RENAME_APPEND 543
#define IDD_RENAME_AUTONUM_APPEND 544
#define IDD_RENAME_ALPHABETIZE_APPEND 545
#define IDD_RENAME_SAME_NAME 546
#define IDD_RENAME_TRUNCATE 547
#define IDC_RENAME_UP 208
#define IDC_RENAME_DOWN 209
#define IDC_RENAME_START_NUMBER 213
#define IDC_RENAME_POSTFIX 215
#define IDC_RENAME_PREFIX 216
#define IDC_RENAME_FIND 217
#define IDC_RENAME_REPLACE 218
#define IDC_RENAME_NAME_GIVER 220
#define IDC_RENAME_START_SPIN 242
#define IDC_RENAME_ORDER 263
#define IDC_RENAME_PREVIEW 277
#define IDC_TRUNCATE_FROM_BEGINNING 292
#define IDC_TRUNCATE_FROM_END 294
#define IDC_TRUNCATE_INCLUDE_EXTENSION 295
#define IDC_TRUNCATE_COUNT_SPIN 296
#define IDC_TRUNCATE_COUNT 308

// Registration (linked into Brivane.dll only, resources/registration.rc): the registrar scripts for
// the AppID and the shell-extension class, and the class's localized name.
#define IDR_BRIVANE 101
#define IDR_BRIVANESHELLEXT 102
#define IDS_BRIVANE_CLASS_NAME 101

// Split, encrypt and decrypt dialogs (fileops/, crypt/): templates and their controls.
#define IDD_SPLIT 530
#define IDD_ENCRYPT 531
#define IDD_DECRYPT 532
#define IDC_PASSWORD 212
#define IDC_PASSWORD_RETYPE 214
#define IDC_SPLIT_PRESET_LIST 219
#define IDC_DELETE_ORIGINAL 246
#define IDC_SPLIT_USE_PRESET 271
#define IDC_SPLIT_USE_CUSTOM 272
#define IDC_SPLIT_UNIT_LIST 273
#define IDC_SPLIT_SIZE 274
#define IDC_SPLIT_SIZE_SPIN 275
#define IDC_SPLIT_UNITS_LABEL 276

// Extract-to-folder dialog (organize/) and list-of-files dialog (lists/): templates and their controls.
#define IDD_EXTRACT_FOLDER 525
#define IDD_FILE_LIST 526
#define IDC_EXTRACT_FOLDER_NAME 201
#define IDC_LIST_FILE_NAME 202
#define IDC_LIST_INCLUDE_SUBFOLDERS 284
#define IDC_LIST_INDENT 286
#define IDC_LIST_TEXT 288
#define IDC_LIST_HTML 290

// Image resize, logo and photo album dialogs (imaging/): templates and their controls.
#define IDD_IMAGE_RESIZE 550
#define IDD_IMAGE_RESIZE_FAST 551
#define IDD_IMAGE_LOGO 552
#define IDD_PDF_ALBUM 553
#define IDC_OUTPUT_FOLDER 201
#define IDC_OUTPUT_SEPARATE 311
#define IDC_RESIZE_QUALITY_TRACK 222
#define IDC_RESIZE_USE_QUALITY 223
#define IDC_RESIZE_SAVE_JPEG 224
#define IDC_RESIZE_PERCENT_TRACK 225
#define IDC_RESIZE_BY_PERCENT 226
#define IDC_RESIZE_BY_SIZE 227
#define IDC_RESIZE_WIDTH 228
#define IDC_RESIZE_HEIGHT 229
#define IDC_RESIZE_PERCENT_TEXT 230
#define IDC_RESIZE_QUALITY_TEXT 231
#define IDC_RESIZE_WIDTH_LABEL 232
#define IDC_RESIZE_HEIGHT_LABEL 235
#define IDC_RESIZE_WIDTH_SPIN 244
#define IDC_RESIZE_HEIGHT_SPIN 245
#define IDC_LOGO_FROM_TEXT 288
#define IDC_LOGO_FONT_TEXT 293
#define IDC_LOGO_FONT 307
#define IDC_LOGO_BORDER_COLOR 309
#define IDC_LOGO_ADD_BORDER 312
#define IDC_LOGO_IMAGE_PATH 313
#define IDC_LOGO_BROWSE 314
#define IDC_LOGO_TEXT 315
#define IDC_LOGO_TOP_LEFT 324
#define IDC_LOGO_BOTTOM_RIGHT 332
#define IDC_LOGO_FROM_IMAGE 333
#define IDC_ALBUM_PREVIEW 238
#define IDC_ALBUM_ROWS_SPIN 250
#define IDC_ALBUM_COLS_SPIN 251
#define IDC_ALBUM_ROWS 252
#define IDC_ALBUM_COLS 253
#define IDC_ALBUM_LANDSCAPE 257
#define IDC_ALBUM_BORDERS 258
#define IDC_ALBUM_PAGE_SIZE 259
#define IDC_ALBUM_OPTIMIZE 262
#define IDC_ALBUM_GAP 264
#define IDC_ALBUM_GAP_SPIN 266
#define IDC_ALBUM_MARGIN 267
#define IDC_ALBUM_MARGIN_SPIN 269
#define IDC_ALBUM_RANDOM 451
#define IDC_ALBUM_ALPHABET 452
#define IDC_ALBUM_CREATION_DATE 453

// Sort Desktop dialog (desktop/): template and its controls.
#define IDD_SORT_DESKTOP 560
#define IDC_SORT_BACKGROUND1 279
#define IDC_SORT_BACKGROUND2 280
#define IDC_SORT_GROUP1 281
#define IDC_SORT_GROUP2 282
#define IDC_SORT_USE_WALLPAPER 283
#define IDC_SORT_BACKGROUND1_TEXT 285
#define IDC_SORT_BACKGROUND2_TEXT 287
#define IDC_SORT_GROUP_OPACITY 299
#define IDC_SORT_GROUP_OPACITY_TEXT 231
#define IDC_SORT_BORDER_COLOR 309
#define IDC_SORT_BORDER_OPACITY 300
#define IDC_SORT_BORDER_OPACITY_TEXT 234
#define IDC_SORT_FONT 307
#define IDC_SORT_FONT_TEXT 293

// The update window of BrivaneUpdater.exe (updater/, resources/updater.rc): its template, its bitmap
// and its own banner, bitmap and text ids; the bar and the stand-in text are the progress window's.
#define IDD_UPDATE 402
#define IDB_UPDATE 130
#define IDC_UPDATE_BANNER 258
#define IDC_UPDATE_SYMBOL 259
#define IDC_UPDATE_TEXT 260
