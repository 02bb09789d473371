#pragma once
// Resizing pictures: one picture (ResizeImage, also used by the photo album to shrink its copies), and
// the batches behind FilesRefactor::ResizeImagesByScale and ResizeImagesToSize.
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FilesRefactor.h"
#include "imaging/ImageCodecs.h"

// The size a picture is drawn at, and the window that owns what the operation shows.
struct ResizeTarget {
  HWND owner = nullptr;
  int width = 0;
  int height = 0;
};

// Draws the picture into a target-sized canvas and saves it (quality 1-10 as JPEG quality 10-100, or -1
// for the encoder's own). An empty label with no folder name replaces the source itself, once the new
// file is complete. Returns 0 when the picture was written (its path appended to writtenPaths when there
// is no folder name), 1 when it was not: an extension without an encoder (unless saved as JPEG), a
// picture GDI+ cannot decode, draw or encode, or a file that cannot be written. A failed picture writes
// nothing.
int ResizeImage(const ResizeTarget& target, const std::wstring& sourcePath, int32_t quality,
                const std::wstring& label, bool saveAsJpeg, PathList& writtenPaths, const std::wstring& folderName);

// The batch: scale (a factor) or a fixed size per picture, progress from 1 to 100, the outputs.
class ImageResizer {
 public:
  explicit ImageResizer(const FilesRefactor& engine) : engine_(engine) {}

  void ByScale(OperationResult& result, const PathList& paths, double scale, int32_t quality, bool saveAsJpeg,
               const std::wstring& folderName);
  void ToSize(OperationResult& result, const PathList& paths, int32_t width, int32_t height, int32_t quality,
              bool saveAsJpeg, const std::wstring& folderName);

 private:
  // width/height of 0 stand for the scale.
  void Run(OperationResult& result, const PathList& paths, double scale, int32_t width, int32_t height,
           int32_t quality, bool saveAsJpeg, const std::wstring& folderName);

  const FilesRefactor& engine_;
};

// A batch's result: status 3 with the message when some pictures failed, else status 0; the counts of
// the batch and what it wrote.
void FillBatchResult(OperationResult& result, int32_t kind, size_t count, uint32_t failed,
                     const std::wstring& failureMessage, PathList written);

// "N files or folders failed to resize.\nProbably not an image file or the image type isn't supported."
std::wstring ResizeFailureMessage(uint32_t failed);
// The bar's position once `finished` of `count` pictures are done: from 1 before the first to 100 after the last.
int32_t ProgressAfter(size_t finished, size_t count);
// A scaled side: truncated toward zero, but never below one pixel.
int ScaledSide(UINT side, double scale);
