// The "Image Manipulation" and "Image Album" entries run end to end: Brivane.dll registered with
// regsvr32, the entry invoked from the stand-in's menu on real pictures, its dialog answered by a
// script, and the pictures and documents on disk and the view's selection checked afterwards.
#include <gtest/gtest.h>

#include <string>

#include "RegisteredBrivane.h"
#include "StandInProcess.h"
#include "support/HostTool.h"
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

namespace {
// What pdfinfo, pdfimages and qpdf say of the document, in one text.
std::string PdfFacts(const std::wstring& pdf) {
  std::string host = ShellQuoted(HostPathOf(pdf));
  return RunHost("/usr/bin/qpdf --check " + host + " >/dev/null && echo checked; /usr/bin/pdfinfo -f 1 -l 99 " + host +
                 " | grep -E '^(Pages|Page .*size):'; /usr/bin/pdfimages -list " + host + " | tail -n +3")
      .output;
}
}  // namespace

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
  std::string facts = PdfFacts(dir_ / L"PhotoAlbum.pdf");
  EXPECT_NE(facts.find("checked\n"), std::string::npos) << facts;
  EXPECT_NE(facts.find("Pages:           2\n"), std::string::npos) << facts;
  EXPECT_NE(facts.find("Page    2 size:  595.276 x 841.89 pts (A4)"), std::string::npos) << facts;
  int images = 0;
  for (size_t at = facts.find(" jpeg "); at != std::string::npos; at = facts.find(" jpeg ", at + 1)) ++images;
  EXPECT_EQ(images, 5) << facts;
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
  std::string facts = PdfFacts(dir_ / L"PhotoAlbum.pdf");
  EXPECT_NE(facts.find("checked\n"), std::string::npos) << facts;
  EXPECT_NE(facts.find("Pages:           2\n"), std::string::npos) << facts;
  // The pages in the view's order of the selection: tall.jpg stands, wide.jpg lies.
  EXPECT_NE(facts.find("Page    1 size:  288 x 432 pts\n"), std::string::npos) << facts;
  EXPECT_NE(facts.find("Page    2 size:  432 x 288 pts\n"), std::string::npos) << facts;
}
