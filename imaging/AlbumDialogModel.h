#pragma once
// The album dialog's state as data: its choices, the order of the pictures, whether a grid leaves room
// for them, and where the preview draws the page and its cells.
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "base/PathList.h"

enum class AlbumOrder { Random = 0, Alphabet = 1, CreationDate = 2 };

struct AlbumChoice {
  int rows = 2;
  int cols = 2;
  int sizeIndex = 3;  // "A4"
  int gap = 56;       // points between cells
  int margin = 28;    // points around the page
  bool landscape = false;
  bool borders = false;
  bool optimize = true;
  AlbumOrder order = AlbumOrder::Random;
};

// The selection in the order: each next picture drawn at random from those not yet taken; by file name
// compared character by character after lowering each character (a name that begins another comes
// first); or by creation time, oldest first.
PathList OrderAlbumPictures(const PathList& selection, AlbumOrder order, std::mt19937& random);
bool NameBefore(const std::wstring& a, const std::wstring& b);

// Whether the grid's cells on the chosen page have a positive width and height; rows and cols of 0, or
// a gap and margin that eat the page, leave none.
bool GridHasRoom(const AlbumChoice& choice);

// The preview, in pixels of its area: a white page inset by 10 pixels (half as tall, centred, when
// landscape); the margin drawn as margin x 4 / 28 pixels and the gap as gap x 4 / 56; rows x cols cells
// in reading order. Those pixels are 96-DPI ones: at another dpi each is dpi / 96 pixels, as the area
// itself is, so the preview keeps its proportions at any scale.
struct PreviewLayout {
  RECT page;
  std::vector<RECT> cells;
};
PreviewLayout LayOutPreview(SIZE area, const AlbumChoice& choice, int dpi);
// The picture's rectangle in the cell: as large as fits, its sides in proportion, centred.
RECT FitInCell(const RECT& cell, SIZE picture);

// The first pictures the preview shows.
constexpr size_t kPreviewPictures = 16;
