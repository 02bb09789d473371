#include "imaging/JpegFacts.h"

#include <cstring>

namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kExifPointerTag = 0x8769;
constexpr uint16_t kDateTakenTag = 0x9003;
constexpr uint16_t kDateDigitizedTag = 0x9004;
constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;
constexpr uint16_t kAscii = 2;
constexpr char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

// A TIFF structure inside an Exif segment, read with bounds checks in its own byte order.
class Tiff {
 public:
  Tiff(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Open() {
    if (size_ < 8) return false;
    if (data_[0] == 'I' && data_[1] == 'I')
      little_ = true;
    else if (data_[0] == 'M' && data_[1] == 'M')
      little_ = false;
    else
      return false;
    return U16(2) == 42;
  }
  uint32_t FirstDirectory() const { return U32(4); }

  // Calls visit(tag, type, count, entryOffset) for each entry of the directory at the offset.
  template <class Visit>
  void Entries(uint32_t offset, Visit visit) const {
    if (offset > size_ || size_ - offset < 2) return;
    uint16_t count = U16(offset);
    for (uint32_t i = 0; i < count; ++i) {
      uint64_t entry = uint64_t(offset) + 2 + uint64_t(i) * 12;
      if (entry + 12 > size_) return;
      visit(U16(uint32_t(entry)), U16(uint32_t(entry + 2)), U32(uint32_t(entry + 4)), uint32_t(entry));
    }
  }

  uint16_t U16(uint32_t at) const {
    if (uint64_t(at) + 2 > size_) return 0;
    return little_ ? uint16_t(data_[at] | data_[at + 1] << 8) : uint16_t(data_[at] << 8 | data_[at + 1]);
  }
  uint32_t U32(uint32_t at) const {
    if (uint64_t(at) + 4 > size_) return 0;
    const uint8_t* p = data_ + at;
    return little_ ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24
                   : uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
  }
  // An ASCII value up to its terminator: inline when it takes 4 bytes or fewer, else at its offset.
  std::string Text(uint32_t entry, uint32_t count) const {
    uint32_t at = count <= 4 ? entry + 8 : U32(entry + 8);
    if (at > size_) return {};
    size_t length = 0;
    while (length < count && at + length < size_ && data_[at + length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(data_ + at), length);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  bool little_ = true;
};

void ReadExif(const uint8_t* data, size_t size, JpegFacts& facts) {
  Tiff tiff(data, size);
  if (!tiff.Open()) return;
  uint32_t exif = 0;
  tiff.Entries(tiff.FirstDirectory(), [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t entry) {
    if (tag == kOrientationTag && type == kShort && count >= 1) {
      uint16_t value = tiff.U16(entry + 8);
      if (value >= 1 && value <= 8) facts.orientation = value;
    } else if (tag == kExifPointerTag && (type == kLong || type == kShort)) {
      exif = type == kLong ? tiff.U32(entry + 8) : tiff.U16(entry + 8);
    }
  });
  if (!exif) return;
  tiff.Entries(exif, [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t entry) {
    if (type != kAscii) return;
    if (tag == kDateTakenTag) facts.dateTaken = tiff.Text(entry, count);
    if (tag == kDateDigitizedTag) facts.dateDigitized = tiff.Text(entry, count);
  });
}

bool IsFrameHeader(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

void PutLittle16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}
void PutLittle32(std::vector<uint8_t>& out, uint32_t value) {
  PutLittle16(out, value & 0xFFFF);
  PutLittle16(out, value >> 16);
}

}  // namespace

JpegFacts ReadJpegFacts(const uint8_t* data, size_t size) {
  JpegFacts facts;
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return facts;
  facts.isJpeg = true;
  bool exifRead = false;
  size_t at = 2;
  while (at + 4 <= size) {
    if (data[at] != 0xFF) break;  // not a marker: damaged
    uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte before a marker
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) break;  // end of image, or the first scan: no headers follow
    size_t length = BigEndian16(data + at + 2);
    if (length < 2 || at + 2 + length > size) break;
    const uint8_t* payload = data + at + 4;
    size_t payloadSize = length - 2;
    if (marker == 0xE1 && !exifRead && payloadSize >= sizeof kExifHeader &&
        std::memcmp(payload, kExifHeader, sizeof kExifHeader) == 0) {
      exifRead = true;
      ReadExif(payload + sizeof kExifHeader, payloadSize - sizeof kExifHeader, facts);
    } else if (IsFrameHeader(marker) && payloadSize >= 5 && facts.width == 0) {
      facts.height = BigEndian16(payload + 1);
      facts.width = BigEndian16(payload + 3);
    }
    at += 2 + length;
  }
  return facts;
}

std::vector<uint8_t> WithExifDates(std::vector<uint8_t> jpeg, const JpegFacts& facts) {
  std::vector<std::string> dates;
  std::vector<uint16_t> tags;
  for (auto [tag, text] : {std::pair<uint16_t, const std::string*>{kDateTakenTag, &facts.dateTaken},
                           std::pair<uint16_t, const std::string*>{kDateDigitizedTag, &facts.dateDigitized}}) {
    if (text->empty()) continue;
    tags.push_back(tag);
    dates.push_back(*text);
  }
  if (dates.empty() || jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return jpeg;

  // After the start of image and a JFIF header right behind it; never a second Exif segment.
  size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && (jpeg[at + 1] == 0xE0 || jpeg[at + 1] == 0xE1)) {
    size_t length = BigEndian16(jpeg.data() + at + 2);
    if (jpeg[at + 1] == 0xE1 && length >= 8 && at + 4 + 6 <= jpeg.size() &&
        std::memcmp(jpeg.data() + at + 4, kExifHeader, sizeof kExifHeader) == 0)
      return jpeg;
    if (jpeg[at + 1] == 0xE1 || at + 2 + length > jpeg.size()) break;
    at += 2 + length;
  }

  // Little-endian TIFF: the first directory points to the Exif directory, which holds the dates.
  std::vector<uint8_t> tiff = {'I', 'I', 42, 0};
  PutLittle32(tiff, 8);
  const uint32_t exifDirectory = 8 + 2 + 12 + 4;
  PutLittle16(tiff, 1);
  PutLittle16(tiff, kExifPointerTag);
  PutLittle16(tiff, kLong);
  PutLittle32(tiff, 1);
  PutLittle32(tiff, exifDirectory);
  PutLittle32(tiff, 0);
  uint32_t data = exifDirectory + 2 + 12 * uint32_t(dates.size()) + 4;
  PutLittle16(tiff, uint32_t(dates.size()));
  std::vector<uint8_t> values;
  for (size_t i = 0; i < dates.size(); ++i) {
    uint32_t count = uint32_t(dates[i].size() + 1);
    PutLittle16(tiff, tags[i]);
    PutLittle16(tiff, kAscii);
    PutLittle32(tiff, count);
    if (count <= 4) {
      uint8_t inline_[4] = {};
      std::memcpy(inline_, dates[i].data(), dates[i].size());
      tiff.insert(tiff.end(), inline_, inline_ + 4);
    } else {
      PutLittle32(tiff, data + uint32_t(values.size()));
      values.insert(values.end(), dates[i].begin(), dates[i].end());
      values.push_back(0);
    }
  }
  PutLittle32(tiff, 0);
  tiff.insert(tiff.end(), values.begin(), values.end());

  std::vector<uint8_t> segment = {0xFF, 0xE1, 0, 0};
  segment.insert(segment.end(), kExifHeader, kExifHeader + sizeof kExifHeader);
  segment.insert(segment.end(), tiff.begin(), tiff.end());
  size_t length = segment.size() - 2;
  if (length > 0xFFFF) return jpeg;
  segment[2] = uint8_t(length >> 8);
  segment[3] = uint8_t(length);
  jpeg.insert(jpeg.begin() + std::ptrdiff_t(at), segment.begin(), segment.end());
  return jpeg;
}

PlacementMatrix UprightPlacement(int orientation, double x, double y, double w, double h) {
  // (u, v) is a point of the stored picture's unit square, u to the right, v upwards.
  switch (orientation) {
    case 2: return {-w, 0, 0, h, x + w, y};        // mirrored left to right
    case 3: return {-w, 0, 0, -h, x + w, y + h};   // upside down
    case 4: return {w, 0, 0, -h, x, y + h};        // mirrored top to bottom
    case 5: return {0, -h, -w, 0, x + w, y + h};   // first row on the left, first column on top
    case 6: return {0, -h, w, 0, x, y + h};        // turned a quarter clockwise to stand upright
    case 7: return {0, h, w, 0, x, y};             // first row on the right, first column at the bottom
    case 8: return {0, h, -w, 0, x + w, y};        // turned a quarter anticlockwise to stand upright
    default: return {w, 0, 0, h, x, y};
  }
}
