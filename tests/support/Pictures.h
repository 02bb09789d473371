#pragma once
// Pictures for the tests of the imaging commands: made with GDI+ in any format it writes, read back pixel
// by pixel, and the JPEG that a phone stores sideways, made by the host's ImageMagick and exiftool.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "imaging/GdiplusObjects.h"

// Colours as ARGB.
constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00,
                   kBlack = 0xFF000000, kWhite = 0xFFFFFFFF;

// Red top left, green top right, blue bottom left, yellow bottom right.
uint32_t Quadrants(int width, int height, int x, int y);

// Writes a picture of the size painted by colorAt in the format its extension names (jpg, png, bmp,
// gif, tif); returns the path. JPEGs at high quality, so that flat colours stay close.
std::wstring MakePicture(const std::wstring& path, int width, int height,
                         const std::function<uint32_t(int x, int y)>& colorAt);
std::wstring MakeQuadrants(const std::wstring& path, int width, int height);
std::wstring MakeFlat(const std::wstring& path, int width, int height, uint32_t color);

struct LoadedPicture {
  bool loaded = false;
  UINT width = 0;
  UINT height = 0;
  gdip::Image image;
  uint32_t At(int x, int y) const;
};
// As it is stored (no EXIF turn).
LoadedPicture ReadPicture(const std::wstring& path);

// Whether each channel is within the tolerance (JPEG changes flat colours a little).
bool Near(uint32_t actual, uint32_t expected, int tolerance = 40);
std::string ArgbText(uint32_t argb);

// The host's ImageMagick: a w x h JPEG with the quadrants as stored, tagged with EXIF orientation 6
// (to be turned a quarter clockwise) and the date taken; false when the host tools are missing.
bool MakeSidewaysPhoto(const std::wstring& path, int storedWidth, int storedHeight, const std::string& dateTaken);
