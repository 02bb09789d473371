#include "imaging/AlbumDialogModel.h"

#include <algorithm>
#include <cwctype>

#include "fileops/DirectoryWalk.h"
#include "fileops/FileMachine.h"
#include "imaging/PhotoAlbum.h"
#include "ui/Dpi.h"

bool NameBefore(const std::wstring& a, const std::wstring& b) {
  std::wstring left = SplitPath(a).name, right = SplitPath(b).name;
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                      [](wchar_t x, wchar_t y) { return std::towlower(x) < std::towlower(y); });
}

PathList OrderAlbumPictures(const PathList& selection, AlbumOrder order, std::mt19937& random) {
  PathList ordered = selection;
  switch (order) {
    case AlbumOrder::Random:
      for (size_t taken = 0; taken + 1 < ordered.size(); ++taken) {
        std::uniform_int_distribution<size_t> pick(taken, ordered.size() - 1);
        std::swap(ordered[taken], ordered[pick(random)]);
      }
      break;
    case AlbumOrder::Alphabet:
      std::stable_sort(ordered.begin(), ordered.end(), NameBefore);
      break;
    case AlbumOrder::CreationDate:
      std::stable_sort(ordered.begin(), ordered.end(), BrivaneListSorter::compareFilePaths);
      break;
  }
  return ordered;
}

bool GridHasRoom(const AlbumChoice& choice) {
  if (choice.rows < 1 || choice.cols < 1 || choice.gap < 0 || choice.margin < 0) return false;
  AlbumPage page;
  page.sizeIndex = choice.sizeIndex;
  page.landscape = choice.landscape ? 1 : 0;
  float width, height;
  PageDimensions(page, width, height);
  double half = choice.gap / 2.0 + choice.margin;
  return double(width) / choice.cols - half > 0 && double(height) / choice.rows - half > 0;
}

PreviewLayout LayOutPreview(SIZE area, const AlbumChoice& choice, int dpi) {
  PreviewLayout layout;
  const LONG inset = ScaleForDpi(10, dpi);
  LONG top = inset, bottom = area.cy - inset;
  if (choice.landscape) {
    LONG height = (area.cy - 2 * inset) / 2;
    top = (area.cy - height) / 2;
    bottom = top + height;
  }
  layout.page = {inset, top, area.cx - inset, bottom};
  if (choice.rows < 1 || choice.cols < 1) return layout;
  // Whole 96-DPI pixels as before, then scaled.
  const double scale = dpi > 0 ? dpi / double(kDefaultDpi) : 1.0;
  const double margin = choice.margin * 4 / 28 * scale, gap = choice.gap * 4 / 56 * scale;
  const double half = gap / 2 + margin;
  const double cellWidth = double(layout.page.right - layout.page.left) / choice.cols - half;
  const double cellHeight = double(layout.page.bottom - layout.page.top) / choice.rows - half;
  if (cellWidth < 1 || cellHeight < 1) return layout;
  for (int row = 0; row < choice.rows; ++row) {
    for (int col = 0; col < choice.cols; ++col) {
      double x = layout.page.left + margin + col * (cellWidth + gap);
      double y = layout.page.top + margin + row * (cellHeight + gap);
      layout.cells.push_back({LONG(x + 0.5), LONG(y + 0.5), LONG(x + cellWidth + 0.5), LONG(y + cellHeight + 0.5)});
    }
  }
  return layout;
}

RECT FitInCell(const RECT& cell, SIZE picture) {
  double cellWidth = cell.right - cell.left, cellHeight = cell.bottom - cell.top;
  if (picture.cx < 1 || picture.cy < 1 || cellWidth < 1 || cellHeight < 1) return {cell.left, cell.top, cell.left, cell.top};
  double scale = std::min(cellWidth / picture.cx, cellHeight / picture.cy);
  LONG width = std::max(1L, LONG(picture.cx * scale + 0.5)), height = std::max(1L, LONG(picture.cy * scale + 0.5));
  LONG left = cell.left + LONG((cellWidth - width) / 2), top = cell.top + LONG((cellHeight - height) / 2);
  return {left, top, left + width, top + height};
}
