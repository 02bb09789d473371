// Resizing real pictures of every format GDI+ writes, through the operations object, checked by
// reading the results back: their names, sizes and colours, the results the operation reports, and what
// it leaves alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Pictures.h"
#include "fileops/FilesRefactor.h"
#include "imaging/ImageResizer.h"
#include "imaging/JpegFacts.h"
#include "support/FileChecks.h"
#include "support/HostTool.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// The quadrant colours of a w x h result, read at the middle of each quadrant.
void ExpectQuadrants(const std::wstring& path, UINT width, UINT height, int tolerance = 40) {
  LoadedPicture picture = ReadPicture(path);
  ASSERT_TRUE(picture.loaded) << Narrow(path);
  EXPECT_EQ(picture.width, width) << Narrow(path);
  EXPECT_EQ(picture.height, height) << Narrow(path);
  int x1 = int(width) / 4, x2 = int(width) * 3 / 4, y1 = int(height) / 4, y2 = int(height) * 3 / 4;
  EXPECT_TRUE(Near(picture.At(x1, y1), kRed, tolerance)) << Narrow(path) << " " << ArgbText(picture.At(x1, y1));
  EXPECT_TRUE(Near(picture.At(x2, y1), kGreen, tolerance)) << Narrow(path) << " " << ArgbText(picture.At(x2, y1));
  EXPECT_TRUE(Near(picture.At(x1, y2), kBlue, tolerance)) << Narrow(path) << " " << ArgbText(picture.At(x1, y2));
  EXPECT_TRUE(Near(picture.At(x2, y2), kYellow, tolerance)) << Narrow(path) << " " << ArgbText(picture.At(x2, y2));
}

class Resize : public ::testing::Test {
 protected:
  RecordingSink sink_;
  FilesRefactor engine_{&sink_};
  OperationResult result_;
  TempDir dir_;
};

}  // namespace

TEST_F(Resize, EveryFormatAtHalfSizeBesideItsSource) {
  PathList sources;
  for (const wchar_t* name : {L"a.JPG", L"b.png", L"c.bmp", L"d.gif", L"e.tif", L"f.jpeg", L"g.tiff"})
    sources.push_back(MakeQuadrants(dir_ / name, 200, 120));
  engine_.ResizeImagesByScale(result_, sources, 0.5, -1, false, L"");
  EXPECT_EQ(result_.status, 0);
  EXPECT_EQ(result_.kind, 5);
  EXPECT_EQ(result_.succeeded, 7u);
  EXPECT_EQ(result_.failed, 0u);
  EXPECT_TRUE(result_.message.empty());
  PathList expected;
  for (const wchar_t* name : {L"a_ZintResizer50%.jpg", L"b_ZintResizer50%.png", L"c_ZintResizer50%.bmp",
                              L"d_ZintResizer50%.gif", L"e_ZintResizer50%.tif", L"f_ZintResizer50%.jpeg",
                              L"g_ZintResizer50%.tiff"})
    expected.push_back(dir_ / name);
  EXPECT_EQ(result_.outputs, expected);
  for (const std::wstring& output : expected) ExpectQuadrants(output, 100, 60);
  // Each output in its own format: JPEG, PNG, BMP, GIF and TIFF signatures.
  EXPECT_EQ(ReadBytes(expected[0]).substr(0, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(ReadBytes(expected[1]).substr(1, 3), "PNG");
  EXPECT_EQ(ReadBytes(expected[2]).substr(0, 2), "BM");
  EXPECT_EQ(ReadBytes(expected[3]).substr(0, 3), "GIF");
  EXPECT_EQ(ReadBytes(expected[4]).substr(0, 2), "II");
  // Progress runs from 1 to 100, one step per picture.
  std::vector<int32_t> shown = sink_.shown();
  ASSERT_EQ(shown.size(), 8u);
  EXPECT_EQ(shown.front(), 1);
  EXPECT_EQ(shown.back(), 100);
}

TEST_F(Resize, ToSizeStretchesAndConvertToJpegKeepsTheSize) {
  std::wstring png = MakeQuadrants(dir_ / L"Dog.png", 90, 60);
  engine_.ResizeImagesToSize(result_, {png}, 40, 100, 8, true, L"");
  EXPECT_EQ(result_.status, 0);
  ASSERT_EQ(result_.outputs, PathList{dir_ / L"Dog_ZintResizer40x100Q8.jpg"});
  ExpectQuadrants(result_.outputs[0], 40, 100);

  OperationResult converted;
  engine_.ResizeImagesByScale(converted, {png}, 1.0, -1, true, L"");
  ASSERT_EQ(converted.outputs, PathList{dir_ / L"Dog_ZintResizer100%.jpg"});
  ExpectQuadrants(converted.outputs[0], 90, 60);
}

TEST_F(Resize, ASeparateFolderTakesTheResultsUnderTheirOwnNames) {
  PathList sources = {MakeQuadrants(dir_ / L"Cat.JPG", 80, 80), MakeQuadrants(dir_ / L"Owl.png", 60, 40)};
  engine_.ResizeImagesByScale(result_, sources, 0.75, 10, false, L"Resized Images");
  EXPECT_EQ(result_.status, 0);
  // The folder alone is what Explorer selects afterwards.
  EXPECT_EQ(result_.outputs, PathList{dir_ / L"Resized Images"});
  ExpectQuadrants(dir_ / L"Resized Images\\Cat.jpg", 60, 60);
  ExpectQuadrants(dir_ / L"Resized Images\\Owl.png", 45, 30);
  EXPECT_FALSE(Exists(dir_ / L"Cat_ZintResizer75%Q10.jpg"));
}

TEST_F(Resize, PicturesThatCannotBeResizedCountAsFailedAndWriteNothing) {
  std::wstring good = MakeQuadrants(dir_ / L"good.png", 40, 40);
  std::wstring text = dir_.File(L"notes.txt", "just text");
  std::wstring fake = dir_.File(L"fake.jpg", "this is no JPEG at all");
  std::wstring truncated = dir_.File(L"half.png", ReadBytes(MakeQuadrants(dir_ / L"whole.png", 40, 40)).substr(0, 60));
  engine_.ResizeImagesToSize(result_, {good, text, fake, truncated}, 20, 20, -1, false, L"");
  EXPECT_EQ(result_.status, 3);
  EXPECT_EQ(result_.kind, 5);
  EXPECT_EQ(result_.succeeded, 1u);
  EXPECT_EQ(result_.failed, 3u);
  EXPECT_EQ(result_.message,
            L"3 files or folders failed to resize.\nProbably not an image file or the image type isn't supported.");
  EXPECT_EQ(result_.outputs, PathList{dir_ / L"good_ZintResizer20x20.png"});
  // No blank canvas stands under a failed picture's name.
  EXPECT_FALSE(Exists(dir_ / L"fake_ZintResizer20x20.jpg"));
  EXPECT_FALSE(Exists(dir_ / L"half_ZintResizer20x20.png"));
  EXPECT_FALSE(Exists(dir_ / L"notes_ZintResizer20x20.txt"));

  // As JPEG any extension is tried: the text file is still no picture.
  OperationResult asJpeg;
  engine_.ResizeImagesByScale(asJpeg, {text}, 0.5, -1, true, L"");
  EXPECT_EQ(asJpeg.failed, 1u);
  EXPECT_FALSE(Exists(dir_ / L"notes_ZintResizer50%.jpg"));

  OperationResult none;
  engine_.ResizeImagesByScale(none, {}, 0.5, -1, false, L"Resized Images");
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.succeeded, 0u);
  EXPECT_TRUE(none.outputs.empty());
}

TEST_F(Resize, TinyPicturesKeepAPixelAndSourcesAreNeverWrittenOver) {
  std::wstring dot = MakeFlat(dir_ / L"dot.png", 1, 1, kGreen);
  engine_.ResizeImagesByScale(result_, {dot}, 0.25, -1, false, L"");
  EXPECT_EQ(result_.status, 0);
  LoadedPicture scaled = ReadPicture(dir_ / L"dot_ZintResizer25%.png");
  ASSERT_TRUE(scaled.loaded);
  EXPECT_EQ(scaled.width, 1u);
  EXPECT_EQ(scaled.height, 1u);

  // Selected together, Dog.png's result would take the name of the selected Dog_ZintResizer100%.jpg.
  std::wstring dog = MakeQuadrants(dir_ / L"Dog.png", 30, 30);
  std::wstring earlier = MakeFlat(dir_ / L"Dog_ZintResizer100%.jpg", 10, 10, kBlue);
  const std::string earlierBytes = ReadBytes(earlier);
  OperationResult both;
  engine_.ResizeImagesByScale(both, {dog, earlier}, 1.0, -1, true, L"");
  EXPECT_EQ(both.status, 3);
  EXPECT_EQ(both.failed, 1u);
  EXPECT_EQ(ReadBytes(earlier), earlierBytes);
  EXPECT_TRUE(Exists(dir_ / L"Dog_ZintResizer100%_ZintResizer100%.jpg"));

  // A folder name of "." would write each result over its own source.
  OperationResult here;
  const std::string dogBytes = ReadBytes(dog);
  engine_.ResizeImagesByScale(here, {dog}, 0.5, -1, false, L".");
  EXPECT_EQ(here.failed, 1u);
  EXPECT_EQ(ReadBytes(dog), dogBytes);
}

TEST_F(Resize, NamesBeyondTheAnsiCodePageAndLongPaths) {
  std::wstring deep = dir_.Folder(L"Fotos – 海\\" + std::wstring(120, L'd') + L"\\" + std::wstring(100, L'e'));
  PathList sources = {MakeQuadrants(dir_ / L"Café €.jpg", 60, 60), MakeQuadrants(dir_ / L"海.png", 60, 60)};
  std::wstring longPath = deep + L"\\" + std::wstring(40, L'p') + L".png";
  ASSERT_GE(longPath.size(), 260u);
  {
    // GDI+ writes the picture to a short name first; the long name is given by moving it.
    std::wstring shortName = MakeQuadrants(dir_ / L"short.png", 60, 60);
    ASSERT_TRUE(MoveFileW(shortName.c_str(), (L"\\\\?\\" + longPath).c_str()));
  }
  sources.push_back(longPath);
  engine_.ResizeImagesByScale(result_, sources, 0.5, -1, false, L"");
  EXPECT_EQ(result_.status, 0) << Narrow(result_.message);
  ASSERT_EQ(result_.outputs.size(), 3u);
  ExpectQuadrants(dir_ / L"Café €_ZintResizer50%.jpg", 30, 30);
  ExpectQuadrants(dir_ / L"海_ZintResizer50%.png", 30, 30);
  EXPECT_EQ(result_.outputs[2], deep + L"\\" + std::wstring(40, L'p') + L"_ZintResizer50%.png");
  EXPECT_NE(GetFileAttributesW((L"\\\\?\\" + result_.outputs[2]).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Resize, ASidewaysPhoneComesOutUprightAndKeepsItsDateTaken) {
  std::wstring photo = dir_ / L"phone.jpg";
  ASSERT_TRUE(MakeSidewaysPhoto(photo, 160, 80, "2021:07:14 10:20:30")) << "ImageMagick and exiftool are needed";
  engine_.ResizeImagesByScale(result_, {photo}, 0.5, -1, false, L"");
  ASSERT_EQ(result_.status, 0);
  std::wstring output = dir_ / L"phone_ZintResizer50%.jpg";
  // Stored 160 x 80 and turned a quarter clockwise: upright 80 x 160, halved 40 x 80. The stored top row
  // (red, green) becomes the right column, red at the top.
  LoadedPicture upright = ReadPicture(output);
  ASSERT_TRUE(upright.loaded);
  EXPECT_EQ(upright.width, 40u);
  EXPECT_EQ(upright.height, 80u);
  EXPECT_TRUE(Near(upright.At(30, 20), kRed)) << ArgbText(upright.At(30, 20));
  EXPECT_TRUE(Near(upright.At(30, 60), kGreen)) << ArgbText(upright.At(30, 60));
  EXPECT_TRUE(Near(upright.At(10, 20), kBlue)) << ArgbText(upright.At(10, 20));
  EXPECT_TRUE(Near(upright.At(10, 60), kYellow)) << ArgbText(upright.At(10, 60));

  HostRun exiftool = RunHost("/usr/bin/exiftool -s3 -n -ImageWidth -ImageHeight -DateTimeOriginal -Orientation " +
                             ShellQuoted(HostPathOf(output)));
  ASSERT_TRUE(exiftool.ok()) << exiftool.output;
  // No orientation tag: the pixels stand upright themselves.
  EXPECT_EQ(exiftool.output, "40\n80\n2021:07:14 10:20:30\n") << exiftool.output;
}

TEST_F(Resize, AnInPlaceShrinkReplacesThePictureOnlyWithACompleteNewOne) {
  // The album shrinks its own copies this way: no label, no folder.
  std::wstring copy = MakeQuadrants(dir_ / L"copy.jpg", 200, 100);
  PathList written;
  EXPECT_EQ(ResizeImage({nullptr, 50, 25}, copy, 10, L"", false, written, L""), 0);
  EXPECT_EQ(written, PathList{copy});
  ExpectQuadrants(copy, 50, 25);

  // Undecodable, or held open by another program so that it cannot be replaced: it stays as it was,
  // and no half-made file is left beside it.
  std::wstring fake = dir_.File(L"fake.jpg", "no JPEG inside");
  EXPECT_EQ(ResizeImage({nullptr, 10, 10}, fake, 10, L"", false, written, L""), 1);
  EXPECT_EQ(ReadBytes(fake), "no JPEG inside");
  const std::string shrunk = ReadBytes(copy);
  {
    HANDLE held = CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ResizeImage({nullptr, 20, 10}, copy, 10, L"", false, written, L""), 1);
    CloseHandle(held);
  }
  EXPECT_EQ(ReadBytes(copy), shrunk);
  EXPECT_EQ(written.size(), 1u);
  EXPECT_EQ(NamesIn(dir_.path()), (std::vector<std::wstring>{L"copy.jpg", L"fake.jpg"}));
}
