#pragma once
// Stamping a logo on pictures: the geometry (where the logo goes, the frame and its soft shadow) and
// the batch behind FilesRefactor::PutLogoOnImages.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"

namespace logo {

constexpr int kBorderInset = 20;  // the picture's inset inside the frame
constexpr int kFrameInset = 10;   // where the frame's colour starts

struct Box {
  float x, y, width, height;
};
struct Shade {
  Box box;
  uint32_t argb;
};

// The logo's top-left corner on a w x h picture for the position 0-8: left, centre or right and top,
// middle or bottom. With the border, a coordinate of 0 becomes 20 and every other one is 20 less, so
// the edge places sit in the framed picture's corners and edges.
void LogoOrigin(int w, int h, float logoWidth, float logoHeight, int position, bool border, float& x, float& y);

// The ten shadow rectangles under the frame, darkest last: (18 + k, 18 + k, w - 20 - 2k, h - 20 - 2k)
// in grey g = alpha / 10 with alpha 0, 36, 72, 108, 144, then 180.
std::array<Shade, 10> FrameShadows(int w, int h);
// The frame's rectangle (10, 10, w - 20, h - 20) and the picture's inside it (20, 20, w - 40, h - 40).
Box FrameBox(int w, int h);
Box FramedPictureBox(int w, int h);
// A frame needs a picture of more than 40 pixels each way.
bool FitsFrame(int w, int h);

}  // namespace logo

// "failed to put the logo on N files or folders."
std::wstring LogoFailureMessage(uint32_t failed);

// The batch: every picture stamped with the same logo (a picture, or text in a font and colour).
struct LogoJob {
  std::wstring imagePath;  // the logo picture, when useImage
  std::wstring text;
  LOGFONTW font{};
  uint32_t textColor = 0xFFFFFFFF;
  bool addBorder = false;
  uint32_t borderColor = 0xFFFF4500;
  bool useImage = false;
  int32_t position = 0;
  std::wstring folderName;  // empty: beside the sources
};

class LogoStamper {
 public:
  explicit LogoStamper(const FilesRefactor& engine) : engine_(engine) {}
  void Run(OperationResult& result, const PathList& paths, const LogoJob& job);

 private:
  const FilesRefactor& engine_;
};
