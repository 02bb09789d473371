#include "imaging/PhotoAlbum.h"

#include <cmath>

#include "atl/Handles.h"
#include "fileops/FileStream.h"
#include "imaging/ImageCodecs.h"
#include "imaging/ImageFiles.h"
#include "imaging/JpegFacts.h"

const PageSize kPageSizes[kPageSizeCount] = {
    {L"LETTER", 612, 792},          {L"LEGAL", 612, 1008},         {L"A3", 841.89f, 1199.551f},
    {L"A4", 595.276f, 841.89f},     {L"A5", 419.528f, 595.276f},   {L"B4", 708.661f, 1000.63f},
    {L"B5", 498.898f, 708.661f},    {L"EXECUTIVE", 522, 756},      {L"US4x6", 288, 432},
    {L"US4x8", 288, 576},           {L"US5x7", 360, 504},          {L"COMM10", 297, 684},
    {L"US8x10", 576, 720},          {L"US9x12", 648, 864},         {L"US3_5x5", 252, 360},
    {L"WALLET", 180, 252},          {L"320x464cm", 905.6f, 1313.12f},
};

void PageDimensions(const AlbumPage& page, float& width, float& height) {
  const PageSize& size = kPageSizes[page.sizeIndex >= 0 && page.sizeIndex < kPageSizeCount ? page.sizeIndex : page_size::A4];
  width = page.landscape ? size.height : size.width;
  height = page.landscape ? size.width : size.height;
}

SIZE PicturePixelSize(const std::wstring& path) {
  // The headers of a JPEG lie within its first megabyte, but for pathological files.
  constexpr DWORD kHead = 1 << 20;
  {
    UniqueFile file = OpenForReading(AnyLengthPath(path));
    if (!file) return {0, 0};
    std::vector<uint8_t> head(kHead);
    DWORD got = 0;
    if (ReadUpTo(file.get(), head.data(), kHead, got)) {
      JpegFacts facts = ReadJpegFacts(head.data(), got);
      if (facts.isJpeg && facts.width > 0 && facts.height > 0) return {facts.UprightWidth(), facts.UprightHeight()};
    }
  }
  gdip::Session session;
  Picture picture;
  if (!session.ok() || !LoadPicture(path, picture)) return {0, 0};
  return {LONG(picture.width), LONG(picture.height)};
}

namespace {

AlbumPage& NewPage(PhotoAlbum& album, int32_t sizeIndex, bool landscape, bool optimize) {
  AlbumPage page;
  page.sizeIndex = sizeIndex;
  page.landscape = landscape ? 1 : 0;
  page.optimize = optimize ? 1 : 0;
  album.pages.push_back(std::move(page));
  return album.pages.back();
}

void Place(AlbumPage& page, const std::wstring& path, bool border, float width, float height, float x, float y) {
  AlbumPhoto photo;
  photo.path = path;
  photo.drawBorder = border ? 1 : 0;
  photo.index = int32_t(page.photos.size());
  photo.width = width;
  photo.height = height;
  photo.x = x;
  photo.y = y;
  page.photos.push_back(std::move(photo));
}

}  // namespace

void AddFillPage(PhotoAlbum& album, const std::wstring& path, int32_t sizeIndex, const PictureSizer& sizer) {
  SIZE picture = sizer(path);
  AlbumPage& page = NewPage(album, sizeIndex, picture.cx > picture.cy, false);
  float width, height;
  PageDimensions(page, width, height);
  Place(page, path, false, width, height, 0, 0);
}

void AddTwoPhotoPage(PhotoAlbum& album, const std::wstring& path1, const std::wstring& path2, bool border,
                     bool optimize, const PictureSizer& sizer) {
  SIZE first = sizer(path1);
  bool tall = first.cy > first.cx;
  AlbumPage& page = NewPage(album, page_size::Large, tall, optimize);
  if (tall) {
    Place(page, path1, border, 576, 720, 40, 93.6f);
    if (!path2.empty()) Place(page, path2, border, 576, 720, 703.2744f, 93.6f);
  } else {
    Place(page, path1, border, 720, 576, 93.6f, 703.2744f);
    if (!path2.empty()) Place(page, path2, border, 720, 576, 93.6f, 40);
  }
}

void AddFourPhotoPage(PhotoAlbum& album, const std::wstring& path1, const std::wstring& path2,
                      const std::wstring& path3, const std::wstring& path4, bool border, bool optimize) {
  AlbumPage& page = NewPage(album, page_size::Large, false, optimize);
  const float rows[] = {989.12f, 670.88f, 352.64f, 33.8456f};
  const std::wstring* paths[] = {&path1, &path2, &path3, &path4};
  for (int i = 0; i < 4; ++i)
    if (i == 0 || !paths[i]->empty()) Place(page, *paths[i], border, 432, 288, 237.6f, rows[i]);
}

void BuildGridAlbum(PhotoAlbum& album, const PathList& paths, int rows, int cols, bool landscape, int32_t sizeIndex,
                    bool border, bool optimize, float margin, float gap, const PictureSizer& sizer) {
  if (rows < 1 || cols < 1) return;
  AlbumPage shape;
  shape.sizeIndex = sizeIndex;
  shape.landscape = landscape ? 1 : 0;
  float pageWidth, pageHeight;
  PageDimensions(shape, pageWidth, pageHeight);
  const double half = double(gap) / 2 + margin;
  const double cellWidth = double(pageWidth) / cols - half;
  const double cellHeight = double(pageHeight) / rows - half;
  const size_t perPage = size_t(rows) * size_t(cols);

  for (size_t first = 0; first < paths.size(); first += perPage) {
    AlbumPage& page = NewPage(album, sizeIndex, landscape, optimize);
    for (size_t slot = 0; slot < perPage && first + slot < paths.size(); ++slot) {
      const std::wstring& path = paths[first + slot];
      double cellX = margin + double(slot % size_t(cols)) * (cellWidth + gap);
      double cellY = double(pageHeight) - cellHeight - margin - double(slot / size_t(cols)) * (cellHeight + gap);
      SIZE pixels = sizer(path);
      double width = double(pixels.cx), height = double(pixels.cy);
      if (width > cellWidth) {
        double by = width / cellWidth;
        width /= by;
        height /= by;
      }
      if (height > cellHeight) {
        double by = height / cellHeight;
        width /= by;
        height /= by;
      }
      Place(page, path, border, float(width), float(height), float(cellX + (cellWidth - width) / 2),
            float(cellY + (cellHeight - height) / 2));
    }
  }
}

void BuildPresetAlbum(PhotoAlbum& album, const PathList& paths, AlbumPreset preset, int32_t sizeIndex,
                      const PictureSizer& sizer) {
  static const std::wstring none;
  auto at = [&](size_t i) -> const std::wstring& { return i < paths.size() ? paths[i] : none; };
  switch (preset) {
    case AlbumPreset::FillPage:
      for (const std::wstring& path : paths) AddFillPage(album, path, sizeIndex, sizer);
      break;
    case AlbumPreset::TwoPhotos:
      for (size_t i = 0; i < paths.size(); i += 2) AddTwoPhotoPage(album, at(i), at(i + 1), true, false, sizer);
      break;
    case AlbumPreset::FourPhotos:
      for (size_t i = 0; i < paths.size(); i += 4) AddFourPhotoPage(album, at(i), at(i + 1), at(i + 2), at(i + 3), true, false);
      break;
  }
}
