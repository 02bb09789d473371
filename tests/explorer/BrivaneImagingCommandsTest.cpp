// The "Image Manipulation" and "Image Album" entries run end to end: Brivane.dll registered with
// regsvr32, the entry invoked from the stand-in's menu on real pictures, its dialog answered by a
// script, and the pictures and documents on disk and the view's selection checked afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RegisteredBrivane.h"
#include "StandInProcess.h"
#include "support/HostTool.h"
#include "support/PdfFacts.h"
#include "support/Pictures.h"
#include "support/TestSupport.h"

namespace {

// The command ran to its end without an error dialog and left the view with that selection.
::testing::AssertionResult Succeeded(const StandInRun& run, const std::string& selection) {
  if (run.exitCode != 0 || !run.Has("invoke: S_OK"))
    return ::testing::AssertionFailure() << "exit code " << run.exitCode << ": " << run.errors;
  for (const std::string& line : run.lines)
    if (line.find("Operation Error") != std::string::npos) return ::testing::AssertionFailure() << line;
  if (run.LineStarting("selected: ") != "selected: " + selection)
    return ::testing::AssertionFailure() << run.LineStarting("selected: ");
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult HasSize(const std::wstring& path, UINT width, UINT height) {
  LoadedPicture picture = ReadPicture(path);
  if (!picture.loaded) return ::testing::AssertionFailure() << Narrow(path) << " does not load";
  if (picture.width != width || picture.height != height)
    return ::testing::AssertionFailure() << Narrow(path) << " is " << picture.width << " x " << picture.height;
  return ::testing::AssertionSuccess();
}

class BrivaneImagingCommands : public BrivaneInFolder {};

}  // namespace

TEST_F(BrivaneImagingCommands, CustomResizeToDimensionsWithQualityIntoASeparateFolder) {
  MakeQuadrants(dir_ / L"beach.jpg", 200, 100);
  MakeQuadrants(dir_ / L"logo.png", 100, 100);
  StandInRun run = Invoke(L"beach.jpg;logo.png", L"Brivane>Image Manipulation>Custom Resize",
                          "window Brivane - Resize Image\n"
                          "check 227\n"
                          "set 228 50\n"
                          "set 229 40\n"
                          "check 223\n"
                          "set 201 Small\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "Small"));
  EXPECT_TRUE(HasSize(dir_ / L"Small\\beach.jpg", 50, 40));
  EXPECT_TRUE(HasSize(dir_ / L"Small\\logo.png", 50, 40));
  EXPECT_EQ(ReadBytes(dir_ / L"Small\\logo.png").substr(1, 3), "PNG");
}

TEST_F(BrivaneImagingCommands, ConvertToJpegBesideTheSources) {
  MakeQuadrants(dir_ / L"Dog.png", 64, 48);
  MakeQuadrants(dir_ / L"Cat.bmp", 30, 20);
  StandInRun run = Invoke(L"Dog.png;Cat.bmp", L"Brivane>Image Manipulation>Convert to Jpeg",
                          "window Brivane - Resize Image\n"
                          "uncheck 311\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "Cat_ZintResizer100%.jpg;Dog_ZintResizer100%.jpg"));  // in the view's order
  EXPECT_TRUE(HasSize(dir_ / L"Dog_ZintResizer100%.jpg", 64, 48));
  EXPECT_TRUE(HasSize(dir_ / L"Cat_ZintResizer100%.jpg", 30, 20));
  EXPECT_EQ(ReadBytes(dir_ / L"Cat_ZintResizer100%.jpg").substr(0, 2), "\xFF\xD8");
}


TEST_F(BrivaneImagingCommands, PutATextLogoAtBottomRightWithABorder) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Brivane", L"LastPutLogoData");
  MakeFlat(dir_ / L"night.png", 320, 200, kBlack);
  StandInRun run = Invoke(L"night.png", L"Brivane>Image Manipulation>Put Logo on Image",
                          "window Brivane - Put Logo on Image\n"
                          "check 288\n"
                          "set 315 Brivane\n"
                          "check 332\n"
                          "check 312\n"
                          "uncheck 311\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "night_plus_logo_BR.png"));
  LoadedPicture stamped = ReadPicture(dir_ / L"night_plus_logo_BR.png");
  ASSERT_TRUE(stamped.loaded);
  EXPECT_EQ(stamped.width, 320u);
  EXPECT_EQ(stamped.At(15, 100), 0xFFFF4500u);  // the default orange-red frame
  EXPECT_EQ(stamped.At(40, 40), kBlack);
  // White text in the bottom right corner of the framed picture.
  int bright = 0;
  for (int y = 140; y < 180; ++y)
    for (int x = 180; x < 300; ++x) bright += (stamped.At(x, y) & 0xFF) > 0xC0 && (stamped.At(x, y) >> 8 & 0xFF) > 0xC0;
  EXPECT_GT(bright, 40);
  DWORD size = 0;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Brivane", L"LastPutLogoData", RRF_RT_REG_BINARY, nullptr,
                         nullptr, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 3200u);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Brivane", L"LastPutLogoData");
}

TEST_F(BrivaneImagingCommands, ImageAlbumCustomTwoByTwoOnA4) {
  for (const wchar_t* name : {L"b.jpg", L"a.jpg", L"c.jpg", L"d.jpg", L"e.jpg"})
    MakeQuadrants(dir_ / name, 300, 200);
  StandInRun run = Invoke(L"b.jpg;a.jpg;c.jpg;d.jpg;e.jpg", L"Brivane>Image Album>Custom",
                          "window Brivane - Image Album\n"
                          "expect 252 2\n"
                          "expect 253 2\n"
                          "expect 259 A4\n"
                          "check 452\n"
                          "uncheck 262\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "PhotoAlbum.pdf"));
  PdfReport pdf = ReadPdf(dir_ / L"PhotoAlbum.pdf");
  EXPECT_TRUE(pdf.checked) << pdf.log;
  EXPECT_EQ(pdf.pageSizes, (std::vector<std::string>{"595.276 x 841.89 pts", "595.276 x 841.89 pts"})) << pdf.log;
  // Optimisation off: each JPEG embedded at its own pixel size, in alphabetical order.
  EXPECT_EQ(pdf.ImageList(), "1:300x200 jpeg, 1:300x200 jpeg, 1:300x200 jpeg, 1:300x200 jpeg, 2:300x200 jpeg");
}

TEST_F(BrivaneImagingCommands, ImageAlbumFillPageFourBySix) {
  MakeQuadrants(dir_ / L"wide.jpg", 300, 200);
  MakeQuadrants(dir_ / L"tall.jpg", 200, 300);
  dir_.File(L"PhotoAlbum.pdf", "an older album");
  StandInRun run = Invoke(L"wide.jpg;tall.jpg", L"Brivane>Image Album>Fill Page, 4x6",
                          "window File Already Exists\n"
                          "click IDOK\n");
  EXPECT_TRUE(Succeeded(run, "PhotoAlbum.pdf"));
  EXPECT_TRUE(run.Has("  Trying to send it to the recycle bin."));
  PdfReport pdf = ReadPdf(dir_ / L"PhotoAlbum.pdf");
  EXPECT_TRUE(pdf.checked) << pdf.log;
  // The pages in the view's order of the selection: tall.jpg stands, wide.jpg lies.
  EXPECT_EQ(pdf.pageSizes, (std::vector<std::string>{"288 x 432 pts", "432 x 288 pts"})) << pdf.log;
  EXPECT_EQ(pdf.ImageList(), "1:200x300 jpeg, 2:300x200 jpeg");
}

TEST_F(BrivaneImagingCommands, EveryResizePresetFromItsMenuEntry) {
  struct Row {
    const wchar_t* entry;
    const wchar_t* source;  // 200 x 120
    std::string script;     // after the preset dialog's window
    std::string selected;   // the view's selection afterwards
    const wchar_t* output;
    UINT width, height;
    std::string signature;  // the output's first bytes from the second on
  };
  const Row rows[] = {
      {L"Resize 25%", L"shot.png", "", "Resized Images", L"Resized Images\\shot.png", 50, 30, "PNG"},
      {L"Resize 50%", L"shot.png", "uncheck 311\n", "shot_ZintResizer50%.png", L"shot_ZintResizer50%.png", 100, 60, "PNG"},
      {L"Resize 75%", L"tile.bmp", "set 201 Smaller\n", "Smaller", L"Smaller\\tile.bmp", 150, 90, "M"},
      {L"Resize 25% (Save as Jpeg)", L"shot.png", "uncheck 311\n", "shot_ZintResizer25%.jpg",
       L"shot_ZintResizer25%.jpg", 50, 30, "\xD8\xFF"},
      {L"Resize 50% (Save as Jpeg)", L"tile.bmp", "", "Resized Images", L"Resized Images\\tile.jpg", 100, 60, "\xD8\xFF"},
      {L"Resize 75% (Save as Jpeg)", L"anim.gif", "uncheck 311\n", "anim_ZintResizer75%.jpg",
       L"anim_ZintResizer75%.jpg", 150, 90, "\xD8\xFF"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.entry));
    std::wstring folder = dir_.Folder(row.entry);
    MakeQuadrants(folder + L"\\" + row.source, 200, 120);
    StandInRun run = InvokeIn(folder, row.source, std::wstring(L"Brivane>Image Manipulation>") + row.entry,
                              "window Brivane - Resize Image\n" + row.script + "click IDOK\n");
    EXPECT_TRUE(Succeeded(run, row.selected));
    std::wstring output = folder + L"\\" + row.output;
    EXPECT_TRUE(HasSize(output, row.width, row.height));
    EXPECT_EQ(ReadBytes(output).substr(1, row.signature.size()), row.signature);
  }
}

TEST_F(BrivaneImagingCommands, EveryAlbumPresetFromItsMenuEntry) {
  struct Row {
    const wchar_t* entry;
    std::vector<std::wstring> pictures;  // "a.jpg:300x200"
    std::vector<std::string> pageSizes;
    std::string images;
  };
  const std::vector<std::wstring> wideAndTall = {L"tall.jpg:200x300", L"wide.jpg:300x200"};
  const std::string oneEach = "1:200x300 jpeg, 2:300x200 jpeg";
  const Row rows[] = {
      {L"Fill Page, Wallet", wideAndTall, {"180 x 252 pts", "252 x 180 pts"}, oneEach},
      {L"Fill Page, 3.5x5", wideAndTall, {"252 x 360 pts", "360 x 252 pts"}, oneEach},
      {L"Fill Page, 5x7", wideAndTall, {"360 x 504 pts", "504 x 360 pts"}, oneEach},
      {L"Fill Page, 8x10", wideAndTall, {"576 x 720 pts", "720 x 576 pts"}, oneEach},
      {L"Fill Page, 9x12", wideAndTall, {"648 x 864 pts", "864 x 648 pts"}, oneEach},
      // Two to a page, the first picture of each page choosing how the page lies.
      {L"Page 320x464, Photo 8x10",
       {L"a.jpg:200x300", L"b.jpg:300x200", L"c.jpg:300x200"},
       {"1313.12 x 905.6 pts", "905.6 x 1313.12 pts"},
       "1:200x300 jpeg, 1:300x200 jpeg, 2:300x200 jpeg"},
      // Four to a standing page.
      {L"Page 320x464, Photo 4x6",
       {L"a.jpg:300x200", L"b.jpg:300x200", L"c.jpg:200x300", L"d.jpg:300x200", L"e.jpg:240x160"},
       {"905.6 x 1313.12 pts", "905.6 x 1313.12 pts"},
       "1:300x200 jpeg, 1:300x200 jpeg, 1:200x300 jpeg, 1:300x200 jpeg, 2:240x160 jpeg"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Narrow(row.entry));
    std::wstring folder = dir_.Folder(std::wstring(row.entry).substr(0, std::wstring(row.entry).find(L',')) +
                                      std::to_wstring(&row - rows));
    std::wstring names;
    for (const std::wstring& picture : row.pictures) {
      size_t colon = picture.find(L':'), by = picture.find(L'x', colon);
      std::wstring name = picture.substr(0, colon);
      MakeQuadrants(folder + L"\\" + name, std::stoi(picture.substr(colon + 1)), std::stoi(picture.substr(by + 1)));
      names += (names.empty() ? L"" : L";") + name;
    }
    StandInRun run = InvokeIn(folder, names, std::wstring(L"Brivane>Image Album>") + row.entry);
    EXPECT_TRUE(Succeeded(run, "PhotoAlbum.pdf"));
    PdfReport pdf = ReadPdf(folder + L"\\PhotoAlbum.pdf");
    EXPECT_TRUE(pdf.checked) << pdf.log;
    EXPECT_EQ(pdf.pageSizes, row.pageSizes) << pdf.log;
    EXPECT_EQ(pdf.ImageList(), row.images);
  }
}
