#include "split/SplitLayout.h"

#include <limits>

std::wstring PiecePath(const std::wstring& path, uint64_t piece) { return path + L".qxs" + std::to_wstring(piece); }

uint64_t PieceCount(uint64_t length, uint64_t splitSize) {
  if (splitSize == 0) return UINT64_MAX;
  uint64_t firstData = splitSize > kSplitHeaderSize ? splitSize - kSplitHeaderSize : 0;
  uint64_t rest = length > firstData ? length - firstData : 0;
  return 1 + rest / splitSize + (rest % splitSize != 0);
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
