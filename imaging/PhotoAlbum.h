#pragma once
// The photo album as data: pages of a size and orientation, each with its photos placed in points
// (1/72 inch, origin at the page's bottom-left corner), and the builders that lay the selection out.
// MakeAlbum (imaging/AlbumPdf.h) renders it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/PathList.h"

struct AlbumPhoto {
  std::wstring path;
  uint8_t drawBorder = 0;
  int32_t index = 0;  // its place on the page, from 0
  float width = 0;
  float height = 0;
  float x = 0;  // lower-left corner
  float y = 0;
};

struct AlbumPage {
  int32_t sizeIndex = 0;  // into kPageSizes
  float gap = 0;
  uint8_t sideBySide = 1;
  uint8_t landscape = 0;
  int16_t rotation = 0;  // degrees
  uint8_t optimize = 0;  // shrink each photo to its size on the page first
  std::vector<AlbumPhoto> photos;
};

struct PhotoAlbum {
  std::wstring outputPath;
  std::vector<AlbumPage> pages;
};

struct PageSize {
  const wchar_t* name;  // as the album dialog lists it
  float width;          // portrait, in points
  float height;
};
constexpr int kPageSizeCount = 17;
extern const PageSize kPageSizes[kPageSizeCount];
namespace page_size {
enum : int32_t { A4 = 3, US4x6 = 8, US5x7 = 10, US8x10 = 12, US9x12 = 13, US3_5x5 = 14, Wallet = 15, Large = 16 };
}
// The page's width and height in points, swapped for a landscape page; A4 for an unknown index.
void PageDimensions(const AlbumPage& page, float& width, float& height);

// A picture's upright size in pixels (a sideways photo counts turned); {0, 0} when it cannot be read.
using PictureSizer = std::function<SIZE(const std::wstring& path)>;
// JPEG sizes come from the file's headers; other pictures are decoded.
SIZE PicturePixelSize(const std::wstring& path);

// One page of the size, landscape when the picture is wider than tall; the photo fills it.
void AddFillPage(PhotoAlbum& album, const std::wstring& path, int32_t sizeIndex,
                 const PictureSizer& sizer = PicturePixelSize);
// A 320 x 464 mm page with two 8 x 10 inch photos side by side (landscape page when the first picture
// is taller than wide) or one above the other; the second only when path2 is not empty.
void AddTwoPhotoPage(PhotoAlbum& album, const std::wstring& path1, const std::wstring& path2, bool border,
                     bool optimize, const PictureSizer& sizer = PicturePixelSize);
// A portrait 320 x 464 mm page with up to four 6 x 4 inch photos, one below the other.
void AddFourPhotoPage(PhotoAlbum& album, const std::wstring& path1, const std::wstring& path2,
                      const std::wstring& path3, const std::wstring& path4, bool border, bool optimize);
// The album dialog's layout: rows x cols cells per page inside the margin, gap apart; each picture at
// its pixel size in points, shrunk (never enlarged) to fit its cell and centred in it. Rows and cols
// must be at least 1.
void BuildGridAlbum(PhotoAlbum& album, const PathList& paths, int rows, int cols, bool landscape, int32_t sizeIndex,
                    bool border, bool optimize, float margin, float gap, const PictureSizer& sizer = PicturePixelSize);

// The menu's album presets: one filled page per picture of the size, or two or four photos per large
// page taken from the selection in order.
enum class AlbumPreset { FillPage, TwoPhotos, FourPhotos };
void BuildPresetAlbum(PhotoAlbum& album, const PathList& paths, AlbumPreset preset, int32_t sizeIndex,
                      const PictureSizer& sizer = PicturePixelSize);
