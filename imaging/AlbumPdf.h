#pragma once
// Rendering a PhotoAlbum into a PDF document with libharu: every JPEG embedded as it is (its compressed
// bytes, shown upright by the page's placement when the camera stored it sideways), pages sized in
// points, and the document written to a temporary file first and put in place only when complete.
#include <windows.h>

#include "base/OperationResult.h"
#include "fileops/FilesRefactor.h"
#include "imaging/PhotoAlbum.h"

class AlbumMaker {
 public:
  explicit AlbumMaker(const FilesRefactor& engine) : engine_(engine) {}

  // Status 0 (kind 9) with the album's path as the output, or an error status and message, and then no
  // PDF: a missing or non-JPEG photo, a picture libharu cannot read, an existing album that cannot be
  // sent to the recycle bin, an album with no photos.
  void MakeAlbum(OperationResult& result, const PhotoAlbum& album);

 private:
  const FilesRefactor& engine_;
};
