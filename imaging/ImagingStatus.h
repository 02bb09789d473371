#pragma once
// Statuses of the imaging operations' own failures (the resize and the logo report their failed
// pictures with the shared status 3).
#include <cstdint>

#include "base/OperationResult.h"

namespace status {
enum : int32_t {
  AlbumMissingPicture = 30,  // a photo of the album does not exist
  AlbumNotJpeg = 31,         // a photo's extension is not "jpg"
  AlbumPdfFailed = 32,       // the PDF library refused a picture or the document
  AlbumOutputInUse = 33,     // the existing album cannot be sent to the recycle bin
  AlbumNoPictures = 34,      // nothing to put in an album
  AlbumNotWritten = 35,      // the finished album could not be put in its place
};
}
static_assert(StatusesWithin(status_range::Imaging,
                             {status::AlbumMissingPicture, status::AlbumNotJpeg, status::AlbumPdfFailed,
                              status::AlbumOutputInUse, status::AlbumNoPictures, status::AlbumNotWritten}));
