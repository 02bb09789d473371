#pragma once
// Pictures in and out through GDI+: the MIME type an extension stands for, the installed encoder for
// it, a picture decoded from its file and turned upright, and a canvas encoded into file bytes.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "atl/ComPtr.h"
#include "fileops/FileMachine.h"
#include "imaging/GdiplusObjects.h"
#include "imaging/JpegFacts.h"

// "jpg", "jpeg" -> "image/jpeg"; "bmp" -> "image/bmp"; "gif" -> "image/gif"; "tif", "tiff" ->
// "image/tiff"; "png" -> "image/png"; anything else -> "Undefined". The extension is the lower-cased one
// of the file information.
std::wstring GetMimeTypeFromExtension(const std::wstring& extension);
inline std::wstring GetMimeTypeFromExtension(const FileMachine& fileInfo) {
  return GetMimeTypeFromExtension(fileInfo.extension);
}
extern const wchar_t kUndefinedMimeType[];  // "Undefined"

// The first installed encoder whose MIME type is exactly mimeType: its class id, and its index in the
// list; -1 when there are no encoders or none matches. GDI+ must be started.
int GetEncoderClsid(const std::wstring& mimeType, CLSID& clsid);

// A picture decoded from the bytes of its file. Decoded from memory, so the file is closed at once.
struct Picture {
  ComPtr<IStream> stream;  // what GDI+ decodes from, kept for the image's life
  gdip::Image image;       // upright: a sideways photo is turned as its EXIF orientation says
  UINT width = 0;          // upright size in pixels
  UINT height = 0;
  JpegFacts facts;         // for JPEG files: the stored orientation and the dates
};
// False when the file cannot be read or GDI+ cannot decode it. GDI+ must be started.
bool LoadPicture(const std::wstring& path, Picture& picture);

// The image in the format of mimeType; encoderQuality 0-100 as the JPEG encoder's quality, or negative
// for the encoder's own. For JPEG, the source facts' dates go into an Exif segment. False, with no
// bytes, when there is no such encoder or GDI+ fails.
bool EncodePicture(gdip::GpImage* image, const std::wstring& mimeType, int encoderQuality, const JpegFacts& source,
                   std::vector<uint8_t>& bytes);
