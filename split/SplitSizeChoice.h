#pragma once
// What the split dialog offers: preset sizes, size units, and the size in bytes that a choice means.
#include <cstdint>
#include <string_view>

struct SplitPreset {
  const wchar_t* text;
  uint64_t bytes;
};
inline constexpr SplitPreset kSplitPresets[] = {
    {L"3.5\": 1,457,664 Bytes", 1457664},
    {L"Zip100: 9,8078 Kilobytes", 98078ull * 1024},
    {L"CD: 700 Megabytes", 700ull * 1048576},
    {L"1 Megabyte: 1,048,576 Bytes", 1048576},
    {L"5 Megabytes: 5,242,880 Bytes", 5242880},
    {L"10 Megabytes: 10,485,760 Bytes", 10485760},
};

struct SplitUnit {
  const wchar_t* text;
  uint64_t factor;
};
inline constexpr SplitUnit kSplitUnits[] = {{L"Bytes", 1}, {L"Kilobytes", 1024}, {L"Megabytes", 1048576}};
constexpr int kMegabytesUnit = 2;

constexpr uint64_t kDefaultSplitSize = 1048576;
// The size box is read up to this many characters.
constexpr size_t kSplitSizeTextLimit = 1024;

// The number typed in the size box times the unit (an index into kSplitUnits; any other index, as when no
// unit is selected, means bytes). 0 when the text holds no positive number; saturates instead of wrapping.
uint64_t CustomSplitSize(std::wstring_view text, int unit);
// The selected preset's size; with no preset selected (any other index), the list's text read as a number.
uint64_t PresetSplitSize(int index, std::wstring_view listText);
