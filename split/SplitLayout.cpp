#include "split/SplitLayout.h"

#include <algorithm>
#include <limits>

std::wstring PiecePath(const std::wstring& path, uint64_t piece) { return path + L".qxs" + std::to_wstring(piece); }

uint64_t PieceCount(uint64_t length, uint64_t splitSize) {
  if (splitSize == 0) return UINT64_MAX;
  uint64_t firstData = splitSize > kSplitHeaderSize ? splitSize - kSplitHeaderSize : 0;
  uint64_t rest = length > firstData ? length - firstData : 0;
  return 1 + rest / splitSize + (rest % splitSize != 0);
}

namespace {
// Whether piece i, not the last, holds what a set split at `size` puts there.
bool FullPieceFits(size_t i, uint64_t piece, uint64_t size) {
  return piece == (i == 0 ? std::max<uint64_t>(size, kSplitHeaderSize) : size);
}
}  // namespace

size_t FirstPieceOfWrongSize(const std::vector<uint64_t>& sizes) {
  const size_t count = sizes.size();
  if (count == 0) return 0;
  // The split size: the first piece's when it holds data, else that of one of the next two pieces.
  std::vector<uint64_t> candidates;
  if (sizes[0] > kSplitHeaderSize) candidates.push_back(sizes[0]);
  for (size_t i = 1; i + 1 < count && i <= 2; ++i)
    if (sizes[i] > 0) candidates.push_back(sizes[i]);
  uint64_t size = candidates.empty() ? sizes[0] : candidates[0];
  size_t best = 0;
  for (uint64_t candidate : candidates) {
    size_t agreeing = 0;
    for (size_t i = 0; i + 1 < count; ++i) agreeing += FullPieceFits(i, sizes[i], candidate);
    if (agreeing > best) best = agreeing, size = candidate;
  }
  for (size_t i = 0; i + 1 < count; ++i)
    if (!FullPieceFits(i, sizes[i], size)) return i;
  uint64_t last = sizes[count - 1];
  return last == 0 || last > size ? count - 1 : count;
}

SplitHeader MakeSplitHeader(uint64_t pieces) {
  SplitHeader header{};
  std::wstring digits = std::to_wstring(pieces);
  for (size_t i = 0; i < digits.size() && 2 * i + 1 < header.size(); ++i) {
    header[2 * i] = uint8_t(digits[i] & 0xFF);
    header[2 * i + 1] = uint8_t(digits[i] >> 8);
  }
  return header;
}

int64_t ReadSplitHeader(const SplitHeader& header) {
  std::wstring text;
  for (size_t i = 0; i + 1 < header.size(); i += 2) {
    wchar_t c = wchar_t(header[i] | header[i + 1] << 8);
    if (!c) break;
    text.push_back(c);
  }
  return ReadLeadingDecimal(text);
}

int64_t ReadLeadingDecimal(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  const int64_t limit = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    int digit = text[i] - L'0';
    value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
  }
  return negative ? -value : value;
}
