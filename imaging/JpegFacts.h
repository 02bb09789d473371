#pragma once
// What the system reads from a JPEG file's headers without decoding it: the frame size, the EXIF
// orientation a camera stores for a picture taken sideways, and the dates a photo library sorts by.
// And the Exif segment the system writes back into a JPEG it made, so that the dates stay.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct JpegFacts {
  bool isJpeg = false;   // starts with the JPEG start-of-image marker
  int width = 0;         // the frame header's size, as the pixels are stored; 0 when no frame header was read
  int height = 0;
  int orientation = 1;   // EXIF orientation 1-8; 1 (as stored) when absent or out of range
  std::string dateTaken;      // EXIF DateTimeOriginal ("YYYY:MM:DD HH:MM:SS"), empty when absent
  std::string dateDigitized;  // EXIF DateTimeDigitized

  // Orientations 5 to 8 turn the picture by a quarter: its upright width is its stored height.
  bool SwapsSides() const { return orientation >= 5 && orientation <= 8; }
  int UprightWidth() const { return SwapsSides() ? height : width; }
  int UprightHeight() const { return SwapsSides() ? width : height; }
};

// Reads the markers up to the first scan. Damaged or truncated headers give what was read before the
// damage; nothing is read past the end of the data.
JpegFacts ReadJpegFacts(const uint8_t* data, size_t size);

// The JPEG with an Exif segment holding the facts' dates (only those) after its JFIF header, or unchanged
// when the facts carry no date, the data is no JPEG, or it already holds an Exif segment.
std::vector<uint8_t> WithExifDates(std::vector<uint8_t> jpeg, const JpegFacts& facts);

// The page-space matrix (a b c d e f, as PDF's "cm" takes it) that draws a picture stored with the EXIF
// orientation upright into the box at (x, y) of width w and height h; the image's unit square is
// mapped, as PDF draws images.
struct PlacementMatrix {
  double a, b, c, d, e, f;
};
PlacementMatrix UprightPlacement(int orientation, double x, double y, double w, double h);
