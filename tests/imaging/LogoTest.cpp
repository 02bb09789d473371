// The logo: its stored record byte for byte, where the logo and the frame go, and real pictures
// stamped and read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fileops/FilesRefactor.h"
#include "imaging/LogoSettings.h"
#include "imaging/LogoStamp.h"
#include "support/HostTool.h"
#include "support/Pictures.h"
#include "support/SettingsSandbox.h"
#include "support/TestSupport.h"

namespace {

std::vector<uint8_t> BytesOf(const LogoSettings& settings) {
  const auto* at = reinterpret_cast<const uint8_t*>(&settings);
  return std::vector<uint8_t>(at, at + sizeof settings);
}

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24;
}

std::wstring Utf16At(const std::vector<uint8_t>& bytes, size_t at) {
  std::wstring text;
  for (; bytes[at] || bytes[at + 1]; at += 2) text.push_back(wchar_t(bytes[at] | bytes[at + 1] << 8));
  return text;
}

constexpr uint32_t kOrangeRed = 0xFFFF4500;

class Logo : public ::testing::Test {
 protected:
  LogoJob ImageJob(const std::wstring& logo, int position, bool border) {
    LogoJob job;
    job.useImage = true;
    job.imagePath = logo;
    job.position = position;
    job.addBorder = border;
    job.borderColor = kOrangeRed;
    return job;
  }
  void Stamp(const PathList& paths, const LogoJob& job) {
    engine_.PutLogoOnImages(result_, paths, job.imagePath, job.text, job.font, job.textColor, job.addBorder,
                            job.borderColor, job.useImage, job.position, job.folderName);
  }

  FilesRefactor engine_;
  OperationResult result_;
  TempDir dir_;
};

}  // namespace

TEST(LogoRecord, TheDefaultRecordByteForByte) {
  SettingsSandbox sandbox;
  ASSERT_TRUE(SaveLogoSettings(DefaultLogoSettings()));
  DWORD type = 0;
  std::vector<uint8_t> stored = GetValue(L"LastPutLogoData", &type);
  EXPECT_EQ(type, DWORD(REG_BINARY));
  ASSERT_EQ(stored.size(), 3200u);
  EXPECT_EQ(Little32(stored, 0), uint32_t(-24));  // height
  EXPECT_EQ(Little32(stored, 16), 700u);          // weight
  EXPECT_EQ(stored[23], 177);                     // character set
  EXPECT_EQ(stored[24], 1);                       // output precision
  EXPECT_EQ(stored[25], 2);                       // clip precision
  EXPECT_EQ(stored[26], 1);                       // quality
  EXPECT_EQ(stored[27], 0x22);                    // pitch and family
  EXPECT_EQ(Utf16At(stored, 28), L"Times new Roman");
  EXPECT_EQ(Little32(stored, 92), 0xFFFFFFFFu);   // text colour
  EXPECT_EQ(stored[96], 1);                       // border
  EXPECT_EQ(Little32(stored, 100), kOrangeRed);
  EXPECT_EQ(stored[104], 0);                      // text logo
  EXPECT_EQ(Utf16At(stored, 106), L"");
  EXPECT_EQ(stored[626], 0);                      // no separate folder
  EXPECT_EQ(Utf16At(stored, 628), L"");
  EXPECT_EQ(Utf16At(stored, 1148), L"");
  EXPECT_EQ(Little32(stored, 3196), 0u);          // top left
}

TEST(LogoRecord, ChoicesComeBackAndDamagedValuesReadAsAbsent) {
  SettingsSandbox sandbox;
  LogoSettings chosen = DefaultLogoSettings();
  wcscpy(chosen.text, L"© Brivane 2024");
  wcscpy(chosen.imagePath, L"C:\\logos\\海.png");
  wcscpy(chosen.folderName, L"Stamped");
  chosen.useImage = 1;
  chosen.position = 7;
  chosen.borderColor = 0xFF0000FF;
  ASSERT_TRUE(SaveLogoSettings(chosen));
  LogoSettings read = DefaultLogoSettings();
  ASSERT_TRUE(LoadLogoSettings(read));
  EXPECT_EQ(BytesOf(read), BytesOf(chosen));
  EXPECT_EQ(GetValue(L"LastPutLogoData").size(), 3200u);

  const std::vector<uint8_t> good = BytesOf(chosen);
  auto withBytes = [&](size_t at, std::vector<uint8_t> bytes) {
    std::vector<uint8_t> damaged = good;
    std::copy(bytes.begin(), bytes.end(), damaged.begin() + std::ptrdiff_t(at));
    return damaged;
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    DWORD type;
  };
  std::vector<uint8_t> unterminatedFace = good, unterminatedPath = good, unterminatedFolder = good, unterminatedText = good;
  std::fill(unterminatedFace.begin() + 28, unterminatedFace.begin() + 92, uint8_t('x'));
  std::fill(unterminatedPath.begin() + 106, unterminatedPath.begin() + 626, uint8_t('x'));
  std::fill(unterminatedFolder.begin() + 628, unterminatedFolder.begin() + 1148, uint8_t('x'));
  std::fill(unterminatedText.begin() + 1148, unterminatedText.begin() + 3196, uint8_t('x'));
  const Case cases[] = {
      {"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1), REG_BINARY},
      {"one byte long", [&] { auto longer = good; longer.push_back(0); return longer; }(), REG_BINARY},
      {"not binary", good, REG_SZ},
      {"face without terminator", unterminatedFace, REG_BINARY},
      {"path without terminator", unterminatedPath, REG_BINARY},
      {"folder without terminator", unterminatedFolder, REG_BINARY},
      {"text without terminator", unterminatedText, REG_BINARY},
      {"position 9", withBytes(3196, {9, 0, 0, 0}), REG_BINARY},
      {"position -1", withBytes(3196, {0xFF, 0xFF, 0xFF, 0xFF}), REG_BINARY},
  };
  for (const Case& damaged : cases) {
    PutValue(L"LastPutLogoData", damaged.type, damaged.bytes.data(), DWORD(damaged.bytes.size()));
    LogoSettings record = DefaultLogoSettings();
    EXPECT_FALSE(LoadLogoSettings(record)) << damaged.what;
    EXPECT_EQ(BytesOf(record), BytesOf(DefaultLogoSettings())) << damaged.what;
  }
}

TEST(LogoGeometry, PositionsWithAndWithoutTheFrame) {
  struct Row {
    int position;
    bool border;
    float x, y;
  };
  // A 100 x 80 logo on a 640 x 480 picture.
  const Row rows[] = {
      {8, false, 540, 400}, {8, true, 520, 380}, {0, false, 0, 0},     {0, true, 20, 20},
      {1, false, 270, 0},   {2, true, 520, 20},  {3, false, 0, 200},   {4, false, 270, 200},
      {4, true, 250, 180},  {5, true, 520, 180}, {6, true, 20, 380},   {7, false, 270, 400},
      {1, true, 250, 20},   {7, true, 250, 380},
  };
  for (const Row& row : rows) {
    float x = -1, y = -1;
    logo::LogoOrigin(640, 480, 100, 80, row.position, row.border, x, y);
    EXPECT_FLOAT_EQ(x, row.x) << row.position << " " << row.border;
    EXPECT_FLOAT_EQ(y, row.y) << row.position << " " << row.border;
  }
  std::array<logo::Shade, 10> shades = logo::FrameShadows(640, 480);
  EXPECT_FLOAT_EQ(shades[0].box.x, 18);
  EXPECT_FLOAT_EQ(shades[0].box.width, 620);
  EXPECT_EQ(shades[0].argb, 0x00000000u);
  EXPECT_EQ(shades[1].argb, 0x24030303u);  // alpha 36, grey 3
  EXPECT_EQ(shades[4].argb, 0x900E0E0Eu);  // alpha 144, grey 14
  EXPECT_EQ(shades[9].argb, 0xB4121212u);  // alpha 180, grey 18
  EXPECT_FLOAT_EQ(shades[9].box.x, 27);
  EXPECT_FLOAT_EQ(shades[9].box.height, 442);
  EXPECT_FALSE(logo::FitsFrame(40, 100));
  EXPECT_TRUE(logo::FitsFrame(41, 41));
  EXPECT_EQ(LogoFailureMessage(2), L"failed to put the logo on 2 files or folders.");
}

TEST_F(Logo, APictureLogoAtBottomRightWithoutAndWithTheFrame) {
  std::wstring logoFile = MakeFlat(dir_ / L"logo.png", 100, 80, kGreen);
  std::wstring cat = MakeQuadrants(dir_ / L"cat.JPG", 640, 480);
  Stamp({cat}, ImageJob(logoFile, 8, false));
  EXPECT_EQ(result_.status, 0);
  EXPECT_EQ(result_.kind, 14);
  ASSERT_EQ(result_.outputs, PathList{dir_ / L"cat_plus_logo_BR.jpg"});
  LoadedPicture plain = ReadPicture(result_.outputs[0]);
  ASSERT_TRUE(plain.loaded);
  EXPECT_EQ(plain.width, 640u);
  EXPECT_TRUE(Near(plain.At(545, 405), kGreen)) << ArgbText(plain.At(545, 405));
  EXPECT_TRUE(Near(plain.At(635, 475), kGreen)) << ArgbText(plain.At(635, 475));
  EXPECT_TRUE(Near(plain.At(530, 470), kYellow)) << ArgbText(plain.At(530, 470));
  EXPECT_TRUE(Near(plain.At(100, 100), kRed)) << ArgbText(plain.At(100, 100));

  std::wstring owl = MakeQuadrants(dir_ / L"owl.png", 640, 480);
  OperationResult framed;
  LogoJob job = ImageJob(logoFile, 8, true);
  engine_.PutLogoOnImages(framed, {owl}, job.imagePath, L"", job.font, 0, true, kOrangeRed, true, 8, L"");
  ASSERT_EQ(framed.outputs, PathList{dir_ / L"owl_plus_logo_BR.png"});
  LoadedPicture picture = ReadPicture(framed.outputs[0]);
  ASSERT_TRUE(picture.loaded);
  // The logo from (520, 380) to (620, 460); the frame from 10 pixels in; the picture from 20 in.
  EXPECT_EQ(picture.At(525, 385), kGreen);
  EXPECT_EQ(picture.At(615, 455), kGreen);
  EXPECT_EQ(picture.At(625, 465), kOrangeRed);  // between logo and frame edge: the frame
  EXPECT_EQ(picture.At(15, 240), kOrangeRed);
  EXPECT_EQ(picture.At(5, 5), kWhite);
  EXPECT_EQ(picture.At(25, 25), kRed);
  EXPECT_EQ(picture.At(600, 25), kGreen);
  // The soft shadow shows along the right and bottom edges only.
  uint32_t right = picture.At(634, 240), bottom = picture.At(320, 474), left = picture.At(5, 240);
  EXPECT_LT(right & 0xFF, 0xFFu) << ArgbText(right);
  EXPECT_EQ((right >> 16) & 0xFF, right & 0xFF);  // grey
  EXPECT_LT(bottom & 0xFF, 0xFFu) << ArgbText(bottom);
  EXPECT_EQ(left, kWhite);

  // In the middle with the frame: (640 / 2 - 100 / 2 - 20, 480 / 2 - 80 / 2 - 20) = (250, 180).
  OperationResult middle;
  engine_.PutLogoOnImages(middle, {owl}, job.imagePath, L"", job.font, 0, true, kOrangeRed, true, 4, L"");
  ASSERT_EQ(middle.outputs, PathList{dir_ / L"owl_plus_logo_MC.png"});
  LoadedPicture centred = ReadPicture(middle.outputs[0]);
  ASSERT_TRUE(centred.loaded);
  EXPECT_EQ(centred.At(251, 181), kGreen);
  EXPECT_EQ(centred.At(348, 258), kGreen);
  EXPECT_EQ(centred.At(248, 178), kRed);
  EXPECT_EQ(centred.At(352, 262), kYellow);
}

TEST_F(Logo, PicturesTheLogoOrFrameCannotGoOnFailAndWriteNothing) {
  std::wstring bigLogo = MakeFlat(dir_ / L"big.png", 200, 200, kGreen);
  std::wstring narrow = MakeQuadrants(dir_ / L"narrow.png", 100, 300);
  std::wstring fits = MakeQuadrants(dir_ / L"fits.png", 300, 300);
  Stamp({narrow, fits}, ImageJob(bigLogo, 0, false));
  EXPECT_EQ(result_.status, 3);
  EXPECT_EQ(result_.succeeded, 1u);
  EXPECT_EQ(result_.failed, 1u);
  EXPECT_EQ(result_.message, L"failed to put the logo on 1 files or folders.");
  EXPECT_EQ(result_.outputs, PathList{dir_ / L"fits_plus_logo_TL.png"});
  EXPECT_FALSE(Exists(dir_ / L"narrow_plus_logo_TL.png"));

  std::wstring tiny = MakeQuadrants(dir_ / L"tiny.png", 30, 30);
  std::wstring dot = MakeFlat(dir_ / L"dot.png", 2, 2, kBlue);
  OperationResult framed;
  LogoJob job = ImageJob(dot, 4, true);
  engine_.PutLogoOnImages(framed, {tiny}, dot, L"", job.font, 0, true, kOrangeRed, true, 4, L"");
  EXPECT_EQ(framed.failed, 1u);
  EXPECT_FALSE(Exists(dir_ / L"tiny_plus_logo_MC.png"));

  // Neither a selected picture nor the logo is written over: cat.png's result would take the name of
  // the selected cat_plus_logo_TL.png, and with the folder "." every result would be its own source.
  std::wstring cat = MakeQuadrants(dir_ / L"cat.png", 60, 60);
  std::wstring earlier = MakeFlat(dir_ / L"cat_plus_logo_TL.png", 60, 60, kBlue);
  const std::string earlierBytes = ReadBytes(earlier), dotBytes = ReadBytes(dot);
  OperationResult clash;
  engine_.PutLogoOnImages(clash, {cat, earlier}, dot, L"", job.font, 0, false, 0, true, 0, L"");
  EXPECT_EQ(clash.failed, 1u);
  EXPECT_EQ(clash.outputs, PathList{dir_ / L"cat_plus_logo_TL_plus_logo_TL.png"});
  EXPECT_EQ(ReadBytes(earlier), earlierBytes);
  OperationResult here;
  engine_.PutLogoOnImages(here, {cat, dot}, dot, L"", job.font, 0, false, 0, true, 0, L".");
  EXPECT_EQ(here.failed, 2u);
  EXPECT_EQ(ReadBytes(dot), dotBytes);
  EXPECT_EQ(ReadPicture(cat).At(10, 10), kRed);

  // A logo that cannot be read fails every picture.
  OperationResult missing;
  engine_.PutLogoOnImages(missing, {fits}, dir_ / L"gone.png", L"", job.font, 0, false, 0, true, 0, L"Stamped");
  EXPECT_EQ(missing.failed, 1u);
  EXPECT_FALSE(Exists(dir_ / L"Stamped\\fits.png"));
}

TEST_F(Logo, TextInTheChosenFontAndColourAndNeverLargerThanThePicture) {
  std::wstring night = MakeFlat(dir_ / L"night.bmp", 300, 120, kBlack);
  LogoJob job;
  job.text = L"Brivane";
  job.font = DefaultLogoSettings().font;
  job.textColor = kWhite;
  job.position = 0;
  job.folderName = L"Stamped";
  Stamp({night}, job);
  ASSERT_EQ(result_.status, 0);
  EXPECT_EQ(result_.outputs, PathList{dir_ / L"Stamped"});
  LoadedPicture picture = ReadPicture(dir_ / L"Stamped\\night.bmp");
  ASSERT_TRUE(picture.loaded);
  int bright = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 150; ++x) bright += (picture.At(x, y) & 0xFF) > 0xC0;
  EXPECT_GT(bright, 50);
  for (int y = 60; y < 120; y += 3)
    for (int x = 160; x < 300; x += 3) ASSERT_EQ(picture.At(x, y), kBlack) << x << "," << y;

  // A font taller than the picture: that picture fails; every picture is measured against the text.
  std::wstring small = MakeFlat(dir_ / L"small.png", 120, 40, kBlack);
  std::wstring large = MakeFlat(dir_ / L"large.png", 600, 300, kBlack);
  job.font.lfHeight = -120;
  job.folderName.clear();
  OperationResult tall;
  engine_.PutLogoOnImages(tall, {small, large}, L"", job.text, job.font, kWhite, false, 0, false, 4, L"");
  EXPECT_EQ(tall.failed, 1u);
  EXPECT_EQ(tall.outputs, PathList{dir_ / L"large_plus_logo_MC.png"});
  EXPECT_FALSE(Exists(dir_ / L"small_plus_logo_MC.png"));
}

TEST_F(Logo, ASidewaysPhotoIsStampedUprightAndKeepsItsDate) {
  std::wstring photo = dir_ / L"phone.jpg";
  ASSERT_TRUE(MakeSidewaysPhoto(photo, 160, 80, "2022:02:02 12:00:00")) << "ImageMagick and exiftool are needed";
  std::wstring dot = MakeFlat(dir_ / L"dot.png", 10, 10, kBlack);
  Stamp({photo}, ImageJob(dot, 0, false));
  ASSERT_EQ(result_.status, 0);
  LoadedPicture upright = ReadPicture(dir_ / L"phone_plus_logo_TL.jpg");
  EXPECT_EQ(upright.width, 80u);
  EXPECT_EQ(upright.height, 160u);
  EXPECT_TRUE(Near(upright.At(60, 40), kRed)) << ArgbText(upright.At(60, 40));
  HostRun exiftool = RunHost("/usr/bin/exiftool -s3 -DateTimeOriginal " + ShellQuoted(HostPathOf(dir_ / L"phone_plus_logo_TL.jpg")));
  EXPECT_EQ(exiftool.output, "2022:02:02 12:00:00\n");
}
