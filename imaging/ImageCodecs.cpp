#include "imaging/ImageCodecs.h"

#include "imaging/ImageFiles.h"

const wchar_t kUndefinedMimeType[] = L"Undefined";

std::wstring GetMimeTypeFromExtension(const std::wstring& extension) {
  if (extension == L"jpg" || extension == L"jpeg") return L"image/jpeg";
  if (extension == L"bmp") return L"image/bmp";
  if (extension == L"gif") return L"image/gif";
  if (extension == L"tif" || extension == L"tiff") return L"image/tiff";
  if (extension == L"png") return L"image/png";
  return kUndefinedMimeType;
}

int GetEncoderClsid(const std::wstring& mimeType, CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) return -1;
  std::vector<uint8_t> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (gdip::GdipGetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return -1;
  for (UINT i = 0; i < count; ++i) {
    if (encoders[i].MimeType && mimeType == encoders[i].MimeType) {
      clsid = encoders[i].Clsid;
      return int(i);
    }
  }
  return -1;
}

namespace {
// GDI+'s turn for each EXIF orientation, so that the picture stands upright.
Gdiplus::RotateFlipType UprightTurn(int orientation) {
  switch (orientation) {
    case 2: return Gdiplus::RotateNoneFlipX;
    case 3: return Gdiplus::Rotate180FlipNone;
    case 4: return Gdiplus::RotateNoneFlipY;
    case 5: return Gdiplus::Rotate90FlipX;
    case 6: return Gdiplus::Rotate90FlipNone;
    case 7: return Gdiplus::Rotate270FlipX;
    case 8: return Gdiplus::Rotate270FlipNone;
    default: return Gdiplus::RotateNoneFlipNone;
  }
}
}  // namespace

bool LoadPicture(const std::wstring& path, Picture& picture) {
  picture = Picture{};
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  picture.facts = ReadJpegFacts(bytes.data(), bytes.size());
  picture.stream = MemoryStream(bytes);
  if (!picture.stream) return false;
  bytes = {};
  gdip::GpImage* image = nullptr;
  if (gdip::GdipLoadImageFromStream(picture.stream.get(), &image) != Gdiplus::Ok || !image) return false;
  picture.image.reset(image);
  if (picture.facts.orientation != 1 &&
      gdip::GdipImageRotateFlip(image, UprightTurn(picture.facts.orientation)) != Gdiplus::Ok)
    return false;
  if (gdip::GdipGetImageWidth(image, &picture.width) != Gdiplus::Ok ||
      gdip::GdipGetImageHeight(image, &picture.height) != Gdiplus::Ok || !picture.width || !picture.height)
    return false;
  return true;
}

bool EncodePicture(gdip::GpImage* image, const std::wstring& mimeType, int encoderQuality, const JpegFacts& source,
                   std::vector<uint8_t>& bytes) {
  bytes.clear();
  CLSID encoder;
  if (!image || GetEncoderClsid(mimeType, encoder) < 0) return false;
  // GIF holds at most 256 colours: the picture goes to the encoder as an 8-bit copy (GDI+ picks the
  // nearest colours of its halftone palette), which every GIF encoder takes.
  gdip::Image indexed;
  if (mimeType == L"image/gif") {
    UINT width = 0, height = 0;
    gdip::GpBitmap* copy = nullptr;
    if (gdip::GdipGetImageWidth(image, &width) != Gdiplus::Ok || gdip::GdipGetImageHeight(image, &height) != Gdiplus::Ok ||
        gdip::GdipCloneBitmapAreaI(0, 0, INT(width), INT(height), PixelFormat8bppIndexed,
                                   static_cast<gdip::GpBitmap*>(image), &copy) != Gdiplus::Ok)
      return false;
    indexed.reset(copy);
    image = copy;
  }
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return false;

  Gdiplus::EncoderParameters parameters{};
  ULONG quality = ULONG(encoderQuality);
  parameters.Count = 1;
  parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
  parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  parameters.Parameter[0].NumberOfValues = 1;
  parameters.Parameter[0].Value = &quality;
  if (gdip::GdipSaveImageToStream(image, stream.get(), &encoder, encoderQuality < 0 ? nullptr : &parameters) !=
      Gdiplus::Ok)
    return false;
  if (!StreamBytes(stream.get(), bytes) || bytes.empty()) {
    bytes.clear();
    return false;
  }
  if (mimeType == L"image/jpeg") bytes = WithExifDates(std::move(bytes), source);
  return true;
}
