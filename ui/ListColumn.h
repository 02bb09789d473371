#pragma once
// The one column of Brivane's report lists (the rename order, the favourites) spans its list: as wide
// as the list's client area, so there is no empty strip beside it and no name is cut at the list's
// edge; wider only when a row needs more, and then the list scrolls sideways rather than cut the row.
// This holds at any DPI, since the list's width comes from its dialog template while the rows' text
// follows the font.
#include <windows.h>

// The column's width for a client area clientWidth pixels wide whose widest row needs widestRow pixels.
int FillingColumnWidth(int clientWidth, int widestRow);

// Sizes column 0 of a one-column report list view so. Call it again whenever rows come or go: the
// vertical scroll bar that comes and goes with them changes the client width.
void FitOnlyColumn(HWND list);
