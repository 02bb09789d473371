// What the system reads from and writes into JPEG headers, against files made by the host's tools.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Pictures.h"
#include "imaging/JpegFacts.h"
#include "support/HostTool.h"
#include "support/TestSupport.h"

namespace {
std::vector<uint8_t> Bytes(const std::wstring& path) {
  std::string read = ReadBytes(path);
  return std::vector<uint8_t>(read.begin(), read.end());
}
}  // namespace

TEST(JpegFacts, ReadsSizeOrientationAndDateOfACameraFile) {
  TempDir dir;
  std::wstring photo = dir / L"phone.jpg";
  ASSERT_TRUE(MakeSidewaysPhoto(photo, 64, 48, "2021:07:14 10:20:30")) << "ImageMagick and exiftool are needed";
  std::vector<uint8_t> bytes = Bytes(photo);
  JpegFacts facts = ReadJpegFacts(bytes.data(), bytes.size());
  EXPECT_TRUE(facts.isJpeg);
  EXPECT_EQ(facts.width, 64);
  EXPECT_EQ(facts.height, 48);
  EXPECT_EQ(facts.orientation, 6);
  EXPECT_EQ(facts.UprightWidth(), 48);
  EXPECT_EQ(facts.UprightHeight(), 64);
  EXPECT_EQ(facts.dateTaken, "2021:07:14 10:20:30");

  // Any cut of the file reads without running past its end.
  for (size_t length = 0; length < bytes.size(); length += 7) ReadJpegFacts(bytes.data(), length);
  JpegFacts none = ReadJpegFacts(reinterpret_cast<const uint8_t*>("GIF89a"), 6);
  EXPECT_FALSE(none.isJpeg);
  EXPECT_EQ(none.orientation, 1);
}

TEST(JpegFacts, DamagedExifDirectoriesAreReadNoFurtherThanTheirSegment) {
  // A JPEG start, an Exif segment whose directory claims 5000 entries and points past the end.
  std::vector<uint8_t> bytes = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x1C, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0,
                                8, 0, 0, 0, 0x88, 0x13, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 9, 0};
  JpegFacts facts = ReadJpegFacts(bytes.data(), bytes.size());
  EXPECT_TRUE(facts.isJpeg);
  EXPECT_EQ(facts.orientation, 1);  // the entry's value 9 is no orientation
  EXPECT_TRUE(facts.dateTaken.empty());
}

TEST(JpegFacts, DatesWrittenBackAreWhatExiftoolReads) {
  TempDir dir;
  std::wstring plain = MakeFlat(dir / L"plain.jpg", 16, 16, kBlue);
  JpegFacts facts;
  facts.dateTaken = "2019:01:02 03:04:05";
  facts.dateDigitized = "2019:01:02 03:04:06";
  std::vector<uint8_t> dated = WithExifDates(Bytes(plain), facts);
  JpegFacts read = ReadJpegFacts(dated.data(), dated.size());
  EXPECT_EQ(read.dateTaken, facts.dateTaken);
  EXPECT_EQ(read.dateDigitized, facts.dateDigitized);
  EXPECT_EQ(read.width, 16);
  // Once is enough: a file that holds Exif already is left as it is.
  EXPECT_EQ(WithExifDates(dated, facts), dated);
  EXPECT_EQ(WithExifDates(Bytes(plain), JpegFacts{}), Bytes(plain));

  std::wstring written = dir.File(L"dated.jpg", std::string(dated.begin(), dated.end()));
  HostRun exiftool = RunHost("/usr/bin/exiftool -s3 -DateTimeOriginal -CreateDate -Warning " +
                             ShellQuoted(HostPathOf(written)));
  ASSERT_TRUE(exiftool.ok()) << exiftool.output;
  EXPECT_EQ(exiftool.output, "2019:01:02 03:04:05\n2019:01:02 03:04:06\n");
  LoadedPicture picture = ReadPicture(written);
  ASSERT_TRUE(picture.loaded);
  EXPECT_TRUE(Near(picture.At(8, 8), kBlue));
}

TEST(JpegFacts, EveryOrientationPlacesTheStoredCornersUpright) {
  // Where the stored picture's top-left corner (u 0, v 1) and top-right corner (u 1, v 1) land in a
  // 30 x 20 box at (100, 200), for each orientation: what a viewer that honours the tag shows.
  struct Row {
    int orientation;
    double topLeftX, topLeftY, topRightX, topRightY;
  };
  const Row rows[] = {
      {1, 100, 220, 130, 220}, {2, 130, 220, 100, 220}, {3, 130, 200, 100, 200}, {4, 100, 200, 130, 200},
      {5, 100, 220, 100, 200}, {6, 130, 220, 130, 200}, {7, 130, 200, 130, 220}, {8, 100, 200, 100, 220},
  };
  for (const Row& row : rows) {
    PlacementMatrix m = UprightPlacement(row.orientation, 100, 200, 30, 20);
    auto x = [&](double u, double v) { return m.a * u + m.c * v + m.e; };
    auto y = [&](double u, double v) { return m.b * u + m.d * v + m.f; };
    EXPECT_DOUBLE_EQ(x(0, 1), row.topLeftX) << row.orientation;
    EXPECT_DOUBLE_EQ(y(0, 1), row.topLeftY) << row.orientation;
    EXPECT_DOUBLE_EQ(x(1, 1), row.topRightX) << row.orientation;
    EXPECT_DOUBLE_EQ(y(1, 1), row.topRightY) << row.orientation;
  }
}
