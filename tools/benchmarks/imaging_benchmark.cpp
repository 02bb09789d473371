// Brivane's side of the imaging benchmark (tools/benchmarks/imaging_benchmark.sh makes the pictures and
// times ImageMagick and img2pdf on the same files in the same run). Usage:
//   imaging_benchmark FOLDER
// FOLDER holds jpg\*.jpg and png\*.png. Resizes the JPEGs to 50 %, converts the PNGs to JPEG, and makes
// a "Fill Page, 4x6" album of the JPEGs without optimisation; prints the time of each, the pictures per
// second, the process's peak working set after a tenth of the pictures and after all of them, and the
// album's size beside the JPEGs' own.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "base/Prompt.h"
#include "fileops/FilesRefactor.h"
#include "imaging/PhotoAlbum.h"

namespace {

int AlwaysOk(HWND, const wchar_t*, const wchar_t*, UINT) { return IDOK; }

double PeakMiB() {
  PROCESS_MEMORY_COUNTERS counters{sizeof counters};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

PathList FilesIn(const std::wstring& folder, const wchar_t* pattern, uint64_t& bytes) {
  PathList found;
  bytes = 0;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    found.push_back(folder + L"\\" + data.cFileName);
    bytes += (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  } while (FindNextFileW(search, &data));
  FindClose(search);
  std::sort(found.begin(), found.end());
  return found;
}

uint64_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Notes the peak working set once a tenth of the pictures is done.
class PeakSink : public IReportProgess {
 public:
  void ReportProgress(int32_t position, bool) override {
    if (position >= 10 && atTenth < 0) atTenth = PeakMiB();
  }
  double atTenth = -1;
};

template <class Step>
double Seconds(Step step) {
  auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: imaging_benchmark FOLDER\n");
    return 2;
  }
  SetPromptHook(AlwaysOk);
  std::wstring folder = argv[1];
  uint64_t jpegBytes = 0, pngBytes = 0;
  PathList jpegs = FilesIn(folder + L"\\jpg", L"*.jpg", jpegBytes);
  PathList pngs = FilesIn(folder + L"\\png", L"*.png", pngBytes);
  if (jpegs.empty() || pngs.empty()) {
    fprintf(stderr, "imaging_benchmark: no pictures in jpg and png\n");
    return 2;
  }

  PeakSink sink;
  FilesRefactor engine(&sink);
  OperationResult resized;
  double resize = Seconds([&] { engine.ResizeImagesByScale(resized, jpegs, 0.5, -1, false, L"brivane-50"); });
  printf("brivane resize 50%%: %zu JPEGs in %.2f s, %.2f pictures/s, failed %u; peak working set %.0f MiB after "
         "a tenth, %.0f MiB after all\n",
         jpegs.size(), resize, jpegs.size() / resize, resized.failed, sink.atTenth, PeakMiB());

  PeakSink convertSink;
  FilesRefactor converter(&convertSink);
  OperationResult converted;
  double convert = Seconds([&] { converter.ResizeImagesByScale(converted, pngs, 1.0, -1, true, L"brivane-jpeg"); });
  printf("brivane convert to JPEG: %zu PNGs in %.2f s, %.2f pictures/s, failed %u; peak working set %.0f MiB after "
         "a tenth, %.0f MiB after all\n",
         pngs.size(), convert, pngs.size() / convert, converted.failed, convertSink.atTenth, PeakMiB());

  PhotoAlbum album;
  album.outputPath = folder + L"\\brivane-album.pdf";
  DeleteFileW(album.outputPath.c_str());
  OperationResult made;
  double albumSeconds = Seconds([&] {
    BuildPresetAlbum(album, jpegs, AlbumPreset::FillPage, page_size::US4x6);
    engine.CreatePhotoAlbum(made, album);
  });
  uint64_t pdfBytes = SizeOf(album.outputPath);
  double limit = double(jpegBytes) * 1.01 + 65536;
  printf("brivane album Fill Page 4x6: %zu JPEGs in %.2f s, status %d; PDF %llu bytes, JPEGs %llu bytes, "
         "limit %.0f: %s; peak working set %.0f MiB\n",
         jpegs.size(), albumSeconds, made.status, (unsigned long long)pdfBytes, (unsigned long long)jpegBytes, limit,
         double(pdfBytes) <= limit ? "within" : "OVER", PeakMiB());
  return resized.failed || converted.failed || made.status ? 1 : 0;
}
