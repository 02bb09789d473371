#include "imaging/ImageResizer.h"

#include <cmath>
#include <utility>
#include <vector>

#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "imaging/ImageFiles.h"
#include "imaging/ImageNames.h"

namespace {

// The picture drawn into the target's size and saved under its output name.
int WriteResized(const Picture& picture, const ResizeTarget& target, const std::wstring& sourcePath,
                 const std::wstring& mimeType, int32_t quality, const std::wstring& outputPath,
                 const PathList& sources) {
  // A result never takes the place of a picture the user selected.
  for (const std::wstring& source : sources) {
    if (SamePath(source, outputPath)) {
      trace::Write(L"ResizeImage: the result would replace the selected ", source);
      return 1;
    }
  }
  gdip::Image canvas = gdip::NewCanvas(target.width, target.height);
  gdip::Graphics graphics = gdip::HighQualityContext(canvas);
  if (!graphics || gdip::GdipDrawImageRectRect(graphics.get(), picture.image.get(), 0, 0, float(target.width),
                                               float(target.height), 0, 0, float(picture.width),
                                               float(picture.height), Gdiplus::UnitPixel, nullptr, nullptr,
                                               nullptr) != Gdiplus::Ok) {
    trace::Write(L"ResizeImage: cannot draw ", sourcePath);
    return 1;
  }
  graphics.reset();
  std::vector<uint8_t> bytes;
  if (!EncodePicture(canvas.get(), mimeType, quality < 0 ? -1 : quality * 10, picture.facts, bytes)) {
    trace::Write(L"ResizeImage: cannot encode ", sourcePath, L" as ", mimeType);
    return 1;
  }
  canvas.reset();
  bool inPlace = SamePath(outputPath, sourcePath);
  if (!(inPlace ? ReplaceFileSafely(outputPath, bytes) : WriteWholeFile(outputPath, bytes.data(), bytes.size()))) {
    trace::Write(L"ResizeImage: cannot write ", outputPath);
    return 1;
  }
  return 0;
}

// The output's MIME type, or "Undefined" when its extension has no encoder.
std::wstring OutputMimeType(const std::wstring& sourcePath, bool saveAsJpeg) {
  return saveAsJpeg ? std::wstring(L"image/jpeg") : GetMimeTypeFromExtension(PathExtension(sourcePath));
}

// The folder name's folder beside the source, made when missing; false when it cannot be made.
bool PrepareFolder(const std::wstring& sourcePath, const std::wstring& folderName) {
  if (folderName.empty()) return true;
  std::wstring folder = BatchFolder(sourcePath, folderName);
  if (EnsureFolder(folder)) return true;
  trace::Write(L"ResizeImage: cannot create the folder ", folder);
  return false;
}

}  // namespace

void FillBatchResult(OperationResult& result, int32_t kind, size_t count, uint32_t failed,
                     const std::wstring& failureMessage, PathList written) {
  result.kind = kind;
  result.status = failed ? status::SomeFailed : status::Success;
  result.message = failed ? failureMessage : L"";
  result.succeeded = uint32_t(count) - failed;
  result.failed = failed;
  result.outputs = std::move(written);
}

int32_t ProgressAfter(size_t finished, size_t count) {
  return count ? int32_t(1 + 99 * uint64_t(finished) / count) : 100;
}

int ScaledSide(UINT side, double scale) {
  double scaled = std::trunc(double(side) * scale);
  return scaled < 1 ? 1 : scaled > 1e9 ? 1000000000 : int(scaled);
}

std::wstring ResizeFailureMessage(uint32_t failed) {
  return std::to_wstring(failed) +
         L" files or folders failed to resize.\nProbably not an image file or the image type isn't supported.";
}

int ResizeImage(const ResizeTarget& target, const std::wstring& sourcePath, int32_t quality,
                const std::wstring& label, bool saveAsJpeg, PathList& writtenPaths, const std::wstring& folderName) {
  std::wstring mimeType = OutputMimeType(sourcePath, saveAsJpeg);
  if (mimeType == kUndefinedMimeType) return 1;
  gdip::Session session;
  Picture picture;
  if (!session.ok() || !LoadPicture(sourcePath, picture)) {
    trace::Write(L"ResizeImage: cannot load ", sourcePath);
    return 1;
  }
  if (!PrepareFolder(sourcePath, folderName)) return 1;
  std::wstring output = ResizedPath(sourcePath, label, folderName, saveAsJpeg);
  // Only the in-place shrink (no label, no folder) may write under the source's own name.
  PathList protectedSources;
  if (!label.empty() || !folderName.empty()) protectedSources.push_back(sourcePath);
  if (WriteResized(picture, target, sourcePath, mimeType, quality, output, protectedSources) != 0) return 1;
  if (folderName.empty()) writtenPaths.push_back(output);
  return 0;
}

void ImageResizer::ByScale(OperationResult& result, const PathList& paths, double scale, int32_t quality,
                           bool saveAsJpeg, const std::wstring& folderName) {
  Run(result, paths, scale, 0, 0, quality, saveAsJpeg, folderName);
}

void ImageResizer::ToSize(OperationResult& result, const PathList& paths, int32_t width, int32_t height,
                          int32_t quality, bool saveAsJpeg, const std::wstring& folderName) {
  Run(result, paths, 0, width < 1 ? 1 : width, height < 1 ? 1 : height, quality, saveAsJpeg, folderName);
}

void ImageResizer::Run(OperationResult& result, const PathList& paths, double scale, int32_t width, int32_t height,
                       int32_t quality, bool saveAsJpeg, const std::wstring& folderName) {
  engine_.Report(1);
  PathList written;
  if (!folderName.empty() && !paths.empty()) written.push_back(BatchFolder(paths.front(), folderName));

  gdip::Session session;
  uint32_t failed = 0;
  size_t finished = 0;
  for (const std::wstring& path : paths) {
    bool done = false;
    std::wstring mimeType = OutputMimeType(path, saveAsJpeg);
    Picture picture;
    if (mimeType == kUndefinedMimeType) {
      trace::Write(L"FilesRefactor::ResizeImages: no encoder for ", path);
    } else if (!session.ok() || !LoadPicture(path, picture)) {
      trace::Write(L"FilesRefactor::ResizeImages: cannot load ", path);
    } else if (PrepareFolder(path, folderName)) {
      bool byScale = width == 0;
      ResizeTarget target{engine_.owner, byScale ? ScaledSide(picture.width, scale) : width,
                          byScale ? ScaledSide(picture.height, scale) : height};
      std::wstring label = byScale ? ScaleLabel(scale, quality) : SizeLabel(width, height, quality);
      std::wstring output = ResizedPath(path, label, folderName, saveAsJpeg);
      done = WriteResized(picture, target, path, mimeType, quality, output, paths) == 0;
      if (done && folderName.empty()) written.push_back(output);
    }
    if (!done) ++failed;
    engine_.Report(ProgressAfter(++finished, paths.size()));
  }

  FillBatchResult(result, kind::ResizeImage, paths.size(), failed, ResizeFailureMessage(failed), std::move(written));
}
