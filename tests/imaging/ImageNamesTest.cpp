// The names results get, and the folder names a user may give them.
#include <gtest/gtest.h>

#include <string>

#include "imaging/ImageNames.h"
#include "imaging/ImageResizer.h"
#include "imaging/ImagingCommands.h"
#include "support/TestSupport.h"

TEST(ResizeNames, LabelsForScalesSizesAndQualities) {
  EXPECT_EQ(ScaleLabel(0.5, -1), L"_ZintResizer50%");
  EXPECT_EQ(ScaleLabel(0.25, 8), L"_ZintResizer25%Q8");
  EXPECT_EQ(ScaleLabel(1.0, -1), L"_ZintResizer100%");
  EXPECT_EQ(ScaleLabel(0.75, 10), L"_ZintResizer75%Q10");
  EXPECT_EQ(ScaleLabel(0.07, -1), L"_ZintResizer7%");  // 7.000000000000001: rounded, not cut
  EXPECT_EQ(ScaleLabel(0.29, -1), L"_ZintResizer29%");  // 28.999999999999996
  EXPECT_EQ(SizeLabel(800, 600, 10), L"_ZintResizer800x600Q10");
  EXPECT_EQ(SizeLabel(640, 480, -1), L"_ZintResizer640x480");
}

TEST(ResizeNames, OutputPathsBesideTheSourceOrInTheFolder) {
  struct Row {
    const wchar_t* source;
    const wchar_t* label;
    const wchar_t* folder;
    bool jpeg;
    const wchar_t* expected;
  };
  const Row rows[] = {
      {L"C:\\p\\Cat.JPG", L"_ZintResizer50%", L"", false, L"C:\\p\\Cat_ZintResizer50%.jpg"},
      {L"C:\\p\\Cat.JPG", L"_ZintResizer50%Q8", L"", false, L"C:\\p\\Cat_ZintResizer50%Q8.jpg"},
      {L"C:\\p\\Cat.JPG", L"_ZintResizer800x600", L"", true, L"C:\\p\\Cat_ZintResizer800x600.jpg"},
      {L"C:\\p\\Cat.JPG", L"_ZintResizer50%", L"Resized Images", false, L"C:\\p\\Resized Images\\Cat.jpg"},
      {L"C:\\p\\Dog.png", L"_ZintResizer100%", L"", true, L"C:\\p\\Dog_ZintResizer100%.jpg"},
      {L"C:\\p\\Photo.PNG", L"_ZintResizer50%", L"", false, L"C:\\p\\Photo_ZintResizer50%.png"},
      {L"C:\\p\\scan", L"_ZintResizer25%", L"", true, L"C:\\p\\scan_ZintResizer25%.jpg"},
      {L"C:\\p\\scan", L"_ZintResizer25%", L"", false, L"C:\\p\\scan_ZintResizer25%"},
      {L"C:\\p\\a.b.tif", L"_ZintResizer50%", L"out", true, L"C:\\p\\out\\a.b.jpg"},
      // A dot in a folder's name is no extension: the name keeps its folder.
      {L"C:\\my.photos\\scan", L"_ZintResizer25%", L"", true, L"C:\\my.photos\\scan_ZintResizer25%.jpg"},
      {L"C:\\p\\scan", L"_ZintResizer25%", L"v1.0", true, L"C:\\p\\v1.0\\scan.jpg"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(ResizedPath(row.source, row.label, row.folder, row.jpeg), row.expected) << row.source;
  EXPECT_EQ(BatchFolder(L"C:\\p\\Cat.JPG", L"Resized Images"), L"C:\\p\\Resized Images");
}

TEST(ResizeNames, LogoPathsCarryThePositionTag) {
  EXPECT_EQ(LogoPath(L"C:\\p\\cat.JPG", 8, L""), L"C:\\p\\cat_plus_logo_BR.jpg");
  EXPECT_EQ(LogoPath(L"C:\\p\\cat.png", 0, L""), L"C:\\p\\cat_plus_logo_TL.png");
  EXPECT_EQ(LogoPath(L"C:\\p\\cat.png", 4, L""), L"C:\\p\\cat_plus_logo_MC.png");
  EXPECT_EQ(LogoPath(L"C:\\p\\cat.JPG", 8, L"Stamped"), L"C:\\p\\Stamped\\cat.JPG");
  const wchar_t* tags[] = {L"TL", L"TC", L"TR", L"ML", L"MC", L"MR", L"BL", L"BC", L"BR"};
  for (int i = 0; i < 9; ++i) EXPECT_STREQ(kLogoPositionTags[i], tags[i]);
}

TEST(ResizeNames, FolderNamesTheUserMayGive) {
  for (const wchar_t* good : {L"Resized Images", L"a", L"v1.0", L".hidden", L"Fotos – 2024", L"海"})
    EXPECT_TRUE(IsValidFolderName(good)) << Narrow(good);
  for (const wchar_t* bad : {L"", L" lead", L"a:b", L"a/b", L"a\\b", L"a*", L"a?", L"\"q\"", L"<x>", L"a|b",
                             L"tab\there", L".", L"..", L". .", L"...."})
    EXPECT_FALSE(IsValidFolderName(bad)) << Narrow(bad);
}

TEST(ResizeNames, ScaledSidesNeverReachZero) {
  EXPECT_EQ(ScaledSide(4000, 0.5), 2000);
  EXPECT_EQ(ScaledSide(333, 0.25), 83);  // 83.25 cut
  EXPECT_EQ(ScaledSide(1, 0.25), 1);
  EXPECT_EQ(ScaledSide(3, 0.25), 1);
  EXPECT_EQ(ResizeFailureMessage(2),
            L"2 files or folders failed to resize.\nProbably not an image file or the image type isn't supported.");
}

TEST(ResizeCommands, PresetsGiveScaleAndJpegFlag) {
  struct Row {
    CommandId command;
    double scale;
    bool jpeg;
  };
  const Row rows[] = {{27, 0.25, false}, {28, 0.5, false}, {29, 0.75, false}, {30, 0.25, true},
                      {31, 0.5, true},   {32, 0.75, true}, {33, 1.0, true},   {26, 0, false}};
  for (const Row& row : rows) {
    ResizePreset preset = ResizePresetFor(row.command);
    EXPECT_EQ(preset.scale, row.scale) << row.command;
    EXPECT_EQ(preset.saveAsJpeg, row.jpeg) << row.command;
  }
}
