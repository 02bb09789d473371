#include "split/SplitSizeChoice.h"

#include <iterator>
#include <limits>

#include "split/SplitLayout.h"

namespace {
// A negative number is no size at all: it would otherwise wrap to an enormous unsigned one.
uint64_t PositiveNumber(std::wstring_view text) {
  int64_t value = ReadLeadingDecimal(text.substr(0, kSplitSizeTextLimit));
  return value > 0 ? uint64_t(value) : 0;
}
}  // namespace

uint64_t CustomSplitSize(std::wstring_view text, int unit) {
  uint64_t value = PositiveNumber(text);
  if (unit < 0 || unit >= int(std::size(kSplitUnits))) return value;
  uint64_t factor = kSplitUnits[unit].factor;
  constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
  return value > kMax / factor ? kMax : value * factor;
}

uint64_t PresetSplitSize(int index, std::wstring_view listText) {
  if (index >= 0 && index < int(std::size(kSplitPresets))) return kSplitPresets[index].bytes;
  return PositiveNumber(listText);
}
