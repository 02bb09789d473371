#include "imaging/AlbumPdf.h"

#include <hpdf.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "atl/Handles.h"
#include "base/TemporaryFolder.h"
#include "base/Trace.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "fileops/FileStream.h"
#include "imaging/ImageFiles.h"
#include "imaging/ImageResizer.h"
#include "imaging/ImagingStatus.h"
#include "imaging/JpegFacts.h"

namespace {

// libharu's errors: the first one is kept for the message; each is written to the trace.
struct HaruErrors {
  bool raised = false;
  HPDF_STATUS error = 0;
  HPDF_STATUS detail = 0;
};

void HPDF_STDCALL OnHaruError(HPDF_STATUS error, HPDF_STATUS detail, void* data) {
  char line[64];
  std::snprintf(line, sizeof line, "ERROR: error_no=%04X, detail_no=%u", unsigned(error), unsigned(detail));
  trace::Write(std::wstring(line, line + std::char_traits<char>::length(line)));
  auto* errors = static_cast<HaruErrors*>(data);
  if (!errors->raised) *errors = {true, error, detail};
}

struct HaruDocument {
  explicit HaruDocument(HaruErrors& errors) : doc(HPDF_New(OnHaruError, &errors)) {}
  ~HaruDocument() {
    if (doc) HPDF_Free(doc);
  }
  HaruDocument(const HaruDocument&) = delete;
  HaruDocument& operator=(const HaruDocument&) = delete;
  HPDF_Doc doc;
};

// libharu writes the document through this, to a file we opened by its wide name.
HPDF_STATUS WriteToFile(HPDF_Stream stream, const HPDF_BYTE* data, HPDF_UINT size) {
  return WriteAll(static_cast<HANDLE>(stream->attr), data, DWORD(size)) ? HPDF_OK : HPDF_FILE_IO_ERROR;
}

// A folder of the album's own in the temporary folder for the shrunk copies, removed with them.
class ScratchFolder {
 public:
  explicit ScratchFolder(HWND owner) : owner_(owner) {}
  ~ScratchFolder() {
    if (!path_.empty()) DeleteFileOperation(owner_, path_, true, false).execute();
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of the next copy; empty when the folder cannot be made.
  std::wstring NextCopy() {
    if (path_.empty()) {
      std::wstring base = TemporaryFolder() + L"\\BrivaneAlbum" + std::to_wstring(GetCurrentProcessId());
      for (unsigned attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        std::wstring candidate = base + L"-" + std::to_wstring(GetTickCount() + attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) path_ = candidate;
      }
      if (path_.empty()) return {};
    }
    return path_ + L"\\photo" + std::to_wstring(++copies_) + L".jpg";
  }

 private:
  HWND owner_;
  std::wstring path_;
  int copies_ = 0;
};

std::wstring HaruCode(const HaruErrors& errors) {
  wchar_t text[48];
  swprintf(text, 48, L"0x%04X, detail %u", unsigned(errors.error), unsigned(errors.detail));
  return text;
}

}  // namespace

void AlbumMaker::MakeAlbum(OperationResult& result, const PhotoAlbum& album) {
  result.kind = kind::ImageAlbum;
  result.outputs.clear();
  size_t photoCount = 0;
  for (const AlbumPage& page : album.pages) photoCount += page.photos.size();
  auto stop = [&](int32_t code, const std::wstring& message) {
    result.Stop(code, message, photoCount);
    result.outputs.clear();
  };
  if (photoCount == 0) return stop(status::AlbumNoPictures, L"There are no pictures for the album.");

  // Every photo must be there and be a JPEG before anything is written.
  for (const AlbumPage& page : album.pages) {
    if (page.photos.empty()) trace::Write(L"No images for page while validating JPG");
    for (const AlbumPhoto& photo : page.photos) {
      if (!FileExists(photo.path)) {
        trace::Write(L"Some image files doesn't exist");
        return stop(status::AlbumMissingPicture, L"Some image files doesn't exist:\n" + photo.path);
      }
      if (PathExtension(photo.path) != L"jpg") {
        trace::Write(L"Some files are not JPG");
        return stop(status::AlbumNotJpeg, L"Some files are not JPG:\n" + photo.path);
      }
    }
  }

  // Optimised pages embed shrunk copies; the pictures themselves are never changed.
  ScratchFolder scratch(engine_.owner);
  std::vector<std::vector<std::wstring>> embedded(album.pages.size());
  for (size_t p = 0; p < album.pages.size(); ++p) {
    for (const AlbumPhoto& photo : album.pages[p].photos) {
      std::wstring source = photo.path;
      if (album.pages[p].optimize) {
        std::wstring copy = scratch.NextCopy();
        PathList ignored;
        if (!copy.empty() && CopyFileOperation(engine_.owner, photo.path, copy, false, true, true).execute() &&
            ResizeImage({engine_.owner, int(photo.width), int(photo.height)}, copy, 10, L"", false, ignored, L"") == 0)
          source = copy;
        else
          trace::Write(L"FilesRefactor::CreatePhotoAlbum: embedding unshrunk ", photo.path);
      }
      embedded[p].push_back(source);
    }
  }

  HaruErrors errors;
  HaruDocument pdf(errors);
  if (!pdf.doc) {
    trace::Write(L"error: cannot create PdfDoc object");
    return stop(status::AlbumPdfFailed, L"The PDF document could not be created.");
  }
  HPDF_SetCompressionMode(pdf.doc, HPDF_COMP_ALL);
  bool opensHere = true;
  for (size_t p = 0; p < album.pages.size(); ++p) {
    const AlbumPage& albumPage = album.pages[p];
    if (albumPage.photos.empty()) {
      trace::Write(L"No images for page");
      continue;
    }
    float width, height;
    PageDimensions(albumPage, width, height);
    HPDF_Page page = HPDF_AddPage(pdf.doc);
    HPDF_Page_SetWidth(page, width);
    HPDF_Page_SetHeight(page, height);
    HPDF_Page_SetRotate(page, HPDF_UINT16(albumPage.rotation));
    // The album opens on its first page at full size.
    if (opensHere) {
      HPDF_Destination destination = HPDF_Page_CreateDestination(page);
      HPDF_Destination_SetXYZ(destination, 0, height, 1);
      HPDF_SetOpenAction(pdf.doc, destination);
      opensHere = false;
    }

    std::vector<size_t> order(albumPage.photos.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return albumPage.photos[a].index < albumPage.photos[b].index; });
    for (size_t i : order) {
      const AlbumPhoto& photo = albumPage.photos[i];
      if (photo.index < 0 || size_t(photo.index) >= albumPage.photos.size()) {
        trace::Write(L"wrong image index found");
        break;
      }
      std::vector<uint8_t> bytes;
      if (!ReadWholeFile(embedded[p][i], bytes))
        return stop(status::AlbumMissingPicture, L"Some image files doesn't exist:\n" + photo.path);
      HPDF_Image image = HPDF_LoadJpegImageFromMem(pdf.doc, bytes.data(), HPDF_UINT(bytes.size()));
      if (!image || errors.raised)
        return stop(status::AlbumPdfFailed,
                    L"The picture could not be put in the album (PDF error " + HaruCode(errors) + L"):\n" + photo.path);
      int orientation = ReadJpegFacts(bytes.data(), bytes.size()).orientation;
      bytes = {};
      if (orientation == 1) {
        HPDF_Page_DrawImage(page, image, photo.x, photo.y, photo.width, photo.height);
      } else {
        PlacementMatrix m = UprightPlacement(orientation, photo.x, photo.y, photo.width, photo.height);
        HPDF_Page_GSave(page);
        HPDF_Page_Concat(page, HPDF_REAL(m.a), HPDF_REAL(m.b), HPDF_REAL(m.c), HPDF_REAL(m.d), HPDF_REAL(m.e),
                         HPDF_REAL(m.f));
        HPDF_Page_ExecuteXObject(page, image);
        HPDF_Page_GRestore(page);
      }
      if (photo.drawBorder) {
        HPDF_Page_Rectangle(page, photo.x - 5, photo.y - 5, photo.width + 10, photo.height + 10);
        HPDF_Page_Stroke(page);
      }
    }
    if (errors.raised)
      return stop(status::AlbumPdfFailed, L"The PDF document could not be made (PDF error " + HaruCode(errors) + L").");
  }

  // Written to a temporary file first: an existing album goes only once the new one is complete.
  std::wstring temporary = MakeTempFileName(TemporaryFolder(), L"wex");
  if (temporary.empty()) return stop(status::AlbumNotWritten, L"No temporary file could be made for the album.");
  {
    UniqueFile file = CreateForWriting(temporary);
    HPDF_Stream stream = file ? HPDF_CallbackWriter_New(pdf.doc->mmgr, WriteToFile, file.get()) : nullptr;
    if (stream) pdf.doc->stream = stream;  // the document frees it
    if (!stream || HPDF_SaveToStream(pdf.doc) != HPDF_OK || errors.raised) {
      file.reset();
      DeleteFileW(temporary.c_str());
      return stop(status::AlbumPdfFailed, L"The PDF document could not be written (PDF error " + HaruCode(errors) + L").");
    }
  }

  const std::wstring& output = album.outputPath;
  if (FileExists(output)) {
    std::wstring notice = L"The file: " + output + L" already exists.\nTrying to send it to the recycle bin.";
    engine_.Ask(notice.c_str(), L"File Already Exists", MB_OK | MB_ICONSTOP, 0);
    if (!DeleteFileOperation(engine_.owner, output, true, true).execute()) {
      DeleteFileW(temporary.c_str());
      return stop(status::AlbumOutputInUse, L"The file: " + output + L" might be in use.\nCan't complete operation!");
    }
  }
  if (!MoveFileOperation(engine_.owner, temporary, output, false, false, true).execute()) {
    DeleteFileW(temporary.c_str());
    return stop(status::AlbumNotWritten, L"The album could not be written to " + output + L".");
  }
  result.status = status::Success;
  result.message.clear();
  result.succeeded = 1;
  result.failed = 0;
  result.outputs = {output};
}
