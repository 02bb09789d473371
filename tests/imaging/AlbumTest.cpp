// The photo album: the builders' pages and coordinates, and real albums rendered by libharu, read back
// with qpdf, pdfinfo, pdfimages and pdftoppm as a user's other programs would read them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fileops/FilesRefactor.h"
#include "imaging/AlbumPdf.h"
#include "imaging/ImagingStatus.h"
#include "imaging/PhotoAlbum.h"
#include "support/HostTool.h"
#include "support/PdfFacts.h"
#include "support/Pictures.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// Pixel sizes without files, for the builders.
PictureSizer FixedSizes(std::map<std::wstring, SIZE> sizes) {
  return [sizes](const std::wstring& path) {
    auto found = sizes.find(path);
    return found == sizes.end() ? SIZE{0, 0} : found->second;
  };
}

void ExpectPhoto(const AlbumPhoto& photo, int index, float width, float height, float x, float y, bool border) {
  EXPECT_EQ(photo.index, index);
  EXPECT_NEAR(photo.width, width, 0.001) << index;
  EXPECT_NEAR(photo.height, height, 0.001) << index;
  EXPECT_NEAR(photo.x, x, 0.001) << index;
  EXPECT_NEAR(photo.y, y, 0.001) << index;
  EXPECT_EQ(photo.drawBorder, border ? 1 : 0) << index;
}

class Album : public ::testing::Test {
 protected:
  void Make(PhotoAlbum& album) { engine_.CreatePhotoAlbum(result_, album); }

  FilesRefactor engine_;
  OperationResult result_;
  TempDir dir_;
};

}  // namespace

TEST(AlbumPages, SeventeenSizesInPointsLandscapeSwapped) {
  struct Row {
    int index;
    const wchar_t* name;
    float width, height;
  };
  const Row rows[] = {{0, L"LETTER", 612, 792},        {3, L"A4", 595.276f, 841.89f},
                      {8, L"US4x6", 288, 432},         {11, L"COMM10", 297, 684},
                      {12, L"US8x10", 576, 720},       {14, L"US3_5x5", 252, 360},
                      {15, L"WALLET", 180, 252},       {16, L"320x464cm", 905.6f, 1313.12f}};
  for (const Row& row : rows) {
    EXPECT_STREQ(kPageSizes[row.index].name, row.name);
    AlbumPage page;
    page.sizeIndex = row.index;
    float width, height;
    PageDimensions(page, width, height);
    EXPECT_FLOAT_EQ(width, row.width);
    page.landscape = 1;
    PageDimensions(page, width, height);
    EXPECT_FLOAT_EQ(width, row.height);
    EXPECT_FLOAT_EQ(height, row.width);
  }
}

TEST(AlbumBuilders, TheDefaultGridOnA4) {
  PathList paths = {L"a", L"b", L"c", L"d", L"e"};
  PhotoAlbum album;
  BuildGridAlbum(album, paths, 2, 2, false, 3, true, true, 28, 56,
                 FixedSizes({{L"a", {100, 80}}, {L"b", {3000, 2000}}, {L"c", {2000, 3000}}, {L"d", {241, 400}},
                             {L"e", {10, 10}}}));
  ASSERT_EQ(album.pages.size(), 2u);
  const AlbumPage& first = album.pages[0];
  EXPECT_EQ(first.sizeIndex, 3);
  EXPECT_EQ(first.landscape, 0);
  EXPECT_EQ(first.optimize, 1);
  EXPECT_EQ(first.sideBySide, 1);
  ASSERT_EQ(first.photos.size(), 4u);
  // Cells 241.638 x 364.945 at (28, 448.945), (325.638, 448.945), (28, 28), (325.638, 28).
  const double cw = 241.638, ch = 364.945;
  ExpectPhoto(first.photos[0], 0, 100, 80, float(28 + (cw - 100) / 2), float(448.945 + (ch - 80) / 2), true);
  // Wider than its cell: shrunk to the cell's width, in proportion.
  ExpectPhoto(first.photos[1], 1, float(cw), float(cw * 2 / 3), 325.638f, float(448.945 + (ch - cw * 2 / 3) / 2), true);
  // Taller: first shrunk to the cell's width, which here leaves it short enough.
  ExpectPhoto(first.photos[2], 2, float(cw), float(cw * 3 / 2), 28, float(28 + (ch - cw * 3 / 2) / 2), true);
  // Narrow enough but too tall: shrunk to the cell's height.
  ExpectPhoto(first.photos[3], 3, float(241 * ch / 400), float(ch), float(325.638 + (cw - 241 * ch / 400) / 2), 28, true);
  // The fifth picture starts the next page, in its top-left cell.
  ASSERT_EQ(album.pages[1].photos.size(), 1u);
  ExpectPhoto(album.pages[1].photos[0], 0, 10, 10, float(28 + (cw - 10) / 2), float(448.945 + (ch - 10) / 2), true);
}

TEST(AlbumBuilders, FillPagesAndTheLargePages) {
  PictureSizer sizes = FixedSizes({{L"wide", {3000, 2000}}, {L"tall", {2000, 3000}}});
  PhotoAlbum fill;
  BuildPresetAlbum(fill, {L"wide", L"tall"}, AlbumPreset::FillPage, page_size::US4x6, sizes);
  ASSERT_EQ(fill.pages.size(), 2u);
  EXPECT_EQ(fill.pages[0].landscape, 1);
  ExpectPhoto(fill.pages[0].photos[0], 0, 432, 288, 0, 0, false);
  EXPECT_EQ(fill.pages[1].landscape, 0);
  ExpectPhoto(fill.pages[1].photos[0], 0, 288, 432, 0, 0, false);

  PhotoAlbum two;
  BuildPresetAlbum(two, {L"tall", L"wide", L"wide"}, AlbumPreset::TwoPhotos, page_size::Large, sizes);
  ASSERT_EQ(two.pages.size(), 2u);
  EXPECT_EQ(two.pages[0].sizeIndex, 16);
  EXPECT_EQ(two.pages[0].landscape, 1);  // the first picture is taller than wide
  ASSERT_EQ(two.pages[0].photos.size(), 2u);
  ExpectPhoto(two.pages[0].photos[0], 0, 576, 720, 40, 93.6f, true);
  ExpectPhoto(two.pages[0].photos[1], 1, 576, 720, 703.2744f, 93.6f, true);
  EXPECT_EQ(two.pages[1].landscape, 0);
  ASSERT_EQ(two.pages[1].photos.size(), 1u);
  ExpectPhoto(two.pages[1].photos[0], 0, 720, 576, 93.6f, 703.2744f, true);

  PhotoAlbum four;
  BuildPresetAlbum(four, {L"1", L"2", L"3", L"4", L"5"}, AlbumPreset::FourPhotos, page_size::Large, sizes);
  ASSERT_EQ(four.pages.size(), 2u);
  const float rows[] = {989.12f, 670.88f, 352.64f, 33.8456f};
  ASSERT_EQ(four.pages[0].photos.size(), 4u);
  for (int i = 0; i < 4; ++i) ExpectPhoto(four.pages[0].photos[size_t(i)], i, 432, 288, 237.6f, rows[i], true);
  EXPECT_EQ(four.pages[1].photos.size(), 1u);
}

TEST_F(Album, ATwoPageLargeAlbumEmbedsEachJpegAsItIs) {
  PathList photos = {MakeQuadrants(dir_ / L"one.jpg", 300, 400), MakeQuadrants(dir_ / L"two.jpg", 400, 300),
                     MakeQuadrants(dir_ / L"three.jpg", 320, 240)};
  PhotoAlbum album;
  album.outputPath = dir_ / L"PhotoAlbum.pdf";
  BuildPresetAlbum(album, photos, AlbumPreset::TwoPhotos, page_size::Large);
  Make(album);
  EXPECT_EQ(result_.status, 0) << Narrow(result_.message);
  EXPECT_EQ(result_.kind, 9);
  EXPECT_EQ(result_.succeeded, 1u);
  EXPECT_EQ(result_.outputs, PathList{album.outputPath});

  PdfReport report = ReadPdf(album.outputPath);
  EXPECT_TRUE(report.checked) << report.log;
  EXPECT_EQ(report.pages, 2);
  // one.jpg stands: the first page lies on its side, the second (three.jpg alone) stands.
  EXPECT_EQ(report.pageSizes, (std::vector<std::string>{"1313.12 x 905.6 pts", "905.6 x 1313.12 pts"}));
  EXPECT_EQ(report.ImageList(), "1:300x400 jpeg, 1:400x300 jpeg, 2:320x240 jpeg") << report.log;
  // The JPEG bytes themselves are in the document.
  std::string pdf = ReadBytes(album.outputPath);
  for (const std::wstring& photo : photos) EXPECT_NE(pdf.find(ReadBytes(photo)), std::string::npos) << Narrow(photo);
}

TEST_F(Album, AGridOfPicturesWithNamesBeyondTheAnsiCodePageAndATemporaryFolderToo) {
  PathList photos = {MakeQuadrants(dir_ / L"Café €.jpg", 200, 150), MakeQuadrants(dir_ / L"海.jpg", 150, 200),
                     MakeQuadrants(dir_ / L"c.jpg", 100, 80), MakeQuadrants(dir_ / L"d.jpg", 90, 90),
                     MakeQuadrants(dir_ / L"e.jpg", 60, 40)};
  PhotoAlbum album;
  album.outputPath = dir_.Folder(L"Álbum 写真") + L"\\PhotoAlbum.pdf";
  BuildGridAlbum(album, photos, 2, 2, false, 3, true, true, 28, 56);
  // The temporary folder under a user name beyond the code page too: the shrunk copies and the
  // unfinished document go there.
  wchar_t previous[MAX_PATH] = L"";
  GetEnvironmentVariableW(L"TMP", previous, MAX_PATH);
  std::wstring temporary = dir_.Folder(L"Users\\Zoë 海\\Temp");
  SetEnvironmentVariableW(L"TMP", temporary.c_str());
  Make(album);
  SetEnvironmentVariableW(L"TMP", previous);
  ASSERT_EQ(result_.status, 0) << Narrow(result_.message);
  PdfReport report = ReadPdf(album.outputPath);
  EXPECT_TRUE(report.checked) << report.log;
  EXPECT_EQ(report.pages, 2);
  EXPECT_EQ(report.pageSizes, (std::vector<std::string>{"595.276 x 841.89 pts", "595.276 x 841.89 pts"}));
  // Shrunk to their cells: every one fits as it is.
  EXPECT_EQ(report.ImageList(), "1:200x150 jpeg, 1:150x200 jpeg, 1:100x80 jpeg, 1:90x90 jpeg, 2:60x40 jpeg")
      << report.log;
  // Nothing is left in the temporary folder.
  WIN32_FIND_DATAW data;
  HANDLE left = FindFirstFileW((temporary + L"\\*").c_str(), &data);
  int entries = 0;
  if (left != INVALID_HANDLE_VALUE) {
    do entries += std::wstring(data.cFileName) != L"." && std::wstring(data.cFileName) != L"..";
    while (FindNextFileW(left, &data));
    FindClose(left);
  }
  EXPECT_EQ(entries, 0);
}

TEST_F(Album, OptimisedPagesEmbedCopiesShrunkToTheirPlaceAndLeaveThePicturesAlone) {
  std::wstring big = MakeQuadrants(dir_ / L"big.jpg", 600, 400);
  const std::string original = ReadBytes(big);
  PhotoAlbum album;
  album.outputPath = dir_ / L"PhotoAlbum.pdf";
  BuildGridAlbum(album, {big}, 2, 2, false, 3, false, true, 28, 56);
  Make(album);
  ASSERT_EQ(result_.status, 0) << Narrow(result_.message);
  PdfReport report = ReadPdf(album.outputPath);
  EXPECT_TRUE(report.checked) << report.log;
  ASSERT_EQ(report.images.size(), 1u) << report.log;
  // 600 x 400 shrunk to the 241.638-point cell: 241 x 161 pixels.
  EXPECT_EQ(report.images[0].width, 241);
  EXPECT_EQ(report.images[0].height, 161);
  EXPECT_EQ(report.images[0].type, "jpeg");
  EXPECT_EQ(ReadBytes(big), original);
}

TEST_F(Album, ASidewaysPhotoStandsUprightOnItsPage) {
  std::wstring photo = dir_ / L"phone.jpg";
  ASSERT_TRUE(MakeSidewaysPhoto(photo, 160, 80, "2021:07:14 10:20:30")) << "ImageMagick and exiftool are needed";
  PhotoAlbum album;
  album.outputPath = dir_ / L"PhotoAlbum.pdf";
  BuildPresetAlbum(album, {photo}, AlbumPreset::FillPage, page_size::US4x6);
  Make(album);
  ASSERT_EQ(result_.status, 0) << Narrow(result_.message);
  PdfReport report = ReadPdf(album.outputPath);
  EXPECT_TRUE(report.checked) << report.log;
  // Upright it is taller than wide: a standing 4 x 6 page.
  EXPECT_EQ(report.pageSizes, std::vector<std::string>{"288 x 432 pts"});
  EXPECT_EQ(report.ImageList(), "1:160x80 jpeg");  // embedded as stored

  // Rendered at 72 dpi: 288 x 432 pixels, red top right, green bottom right, blue top left.
  std::wstring rendered = dir_ / L"page";
  HostRun render = RunHost("/usr/bin/pdftoppm -r 72 -png -singlefile " + ShellQuoted(HostPathOf(album.outputPath)) +
                           " " + ShellQuoted(HostPathOf(rendered)));
  ASSERT_TRUE(render.ok()) << render.output;
  LoadedPicture page = ReadPicture(rendered + L".png");
  ASSERT_TRUE(page.loaded);
  EXPECT_EQ(page.width, 288u);
  EXPECT_EQ(page.height, 432u);
  EXPECT_TRUE(Near(page.At(216, 100), kRed)) << ArgbText(page.At(216, 100));
  EXPECT_TRUE(Near(page.At(216, 330), kGreen)) << ArgbText(page.At(216, 330));
  EXPECT_TRUE(Near(page.At(72, 100), kBlue)) << ArgbText(page.At(72, 100));
  EXPECT_TRUE(Near(page.At(72, 330), kYellow)) << ArgbText(page.At(72, 330));
}

TEST_F(Album, WhatCannotBeMadeIsReportedAndWritesNoDocument) {
  std::wstring good = MakeQuadrants(dir_ / L"good.jpg", 40, 40);
  std::wstring upper = MakeQuadrants(dir_ / L"Photo.JPEG", 40, 40);
  std::wstring png = MakeQuadrants(dir_ / L"shot.png", 40, 40);
  std::wstring fake = dir_.File(L"fake.jpg", "no JPEG inside");
  struct Row {
    PathList photos;
    int32_t status;
    std::wstring message;
  };
  const Row rows[] = {
      {{good, dir_ / L"gone.jpg"}, 30, L"Some image files doesn't exist:\n" + dir_ / L"gone.jpg"},
      {{good, upper}, 31, L"Some files are not JPG:\n" + upper},
      {{png}, 31, L"Some files are not JPG:\n" + png},
      {{good, fake}, 32, L""},
      {{}, 34, L"There are no pictures for the album."},
  };
  for (const Row& row : rows) {
    PhotoAlbum album;
    album.outputPath = dir_ / L"PhotoAlbum.pdf";
    BuildGridAlbum(album, row.photos, 2, 2, false, 3, false, false, 28, 56);
    OperationResult result;
    engine_.CreatePhotoAlbum(result, album);
    EXPECT_EQ(result.status, row.status) << Narrow(result.message);
    EXPECT_EQ(result.kind, 9);
    if (!row.message.empty()) {
      EXPECT_EQ(result.message, row.message);
    }
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(result.failed, row.photos.size());
    EXPECT_TRUE(result.outputs.empty());
    EXPECT_FALSE(Exists(album.outputPath));
  }
}

TEST_F(Album, AnExistingAlbumGoesToTheRecycleBinOnlyOnceTheNewOneIsWritten) {
  std::wstring old = dir_.File(L"PhotoAlbum.pdf", "last year's album");
  std::wstring good = MakeQuadrants(dir_ / L"good.jpg", 40, 40);
  std::wstring fake = dir_.File(L"fake.jpg", "no JPEG inside");
  PhotoAlbum broken;
  broken.outputPath = old;
  BuildGridAlbum(broken, {good, fake}, 2, 2, false, 3, false, false, 28, 56);
  {
    ScriptedPrompt prompt({IDOK});
    Make(broken);
    EXPECT_EQ(result_.status, 32);
    EXPECT_TRUE(prompt.asked().empty());
    EXPECT_EQ(ReadBytes(old), "last year's album");
  }
  PhotoAlbum album;
  album.outputPath = old;
  BuildGridAlbum(album, {good}, 1, 1, true, 0, false, false, 28, 56);
  ScriptedPrompt prompt({IDOK});
  OperationResult result;
  engine_.CreatePhotoAlbum(result, album);
  EXPECT_EQ(result.status, 0) << Narrow(result.message);
  ASSERT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(prompt.asked()[0].text, L"The file: " + old + L" already exists.\nTrying to send it to the recycle bin.");
  EXPECT_EQ(prompt.asked()[0].caption, L"File Already Exists");
  EXPECT_EQ(prompt.asked()[0].type, UINT(MB_OK | MB_ICONSTOP));
  PdfReport report = ReadPdf(old);
  EXPECT_TRUE(report.checked) << report.log;
  EXPECT_EQ(report.pageSizes, std::vector<std::string>{"792 x 612 pts"});  // landscape letter
  EXPECT_EQ(report.ImageList(), "1:40x40 jpeg");
}
