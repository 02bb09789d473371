#pragma once
// The text rules the rename styles share: joining names, writing numbers, and telling which names the
// file system can take.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fileops/FileMachine.h"
#include "fileops/NameCharacters.h"

// stem.extension, or the stem alone when the extension is empty.
std::wstring JoinName(const std::wstring& stem, const std::wstring& extension);
// folder\stem.extension, or folder\stem when the extension is empty.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& stem, const std::wstring& extension);

// The name truncation gives an item: count characters cut from the beginning or the end of the stem (the
// lowered extension put back), or of the whole name as it stands. Nothing when the cut would leave no
// character: the item keeps its name. The count is widened with its sign and compared unsigned, so a
// negative count never cuts anything.
std::optional<std::wstring> TruncatedName(const PathParts& parts, int32_t count, bool fromBeginning,
                                          bool includeExtension);

// Signed decimal: no leading zeros, no fill, a minus sign for negative values.
std::wstring NumberText(int32_t value);

// The number field of the autonumbering styles holds 7 characters, a minus sign included.
constexpr size_t kNumberFieldWidth = 7;
constexpr int32_t kSmallestFieldNumber = -999999;
constexpr int32_t kLargestFieldNumber = 9999999;
// Whether every number given to `count` items from `start` on fits the field.
bool NumbersFitField(int32_t start, size_t count);
// The refusal to show when they do not, naming the start numbers that would fit.
std::wstring NumberFieldMessage(size_t count);

// Whether a new name can stand as one item of a folder: not empty, none of the invalid characters, and not
// made of dots and spaces only (the platform would read "." or ".." as a folder, and strips the rest away).
bool IsUsableName(std::wstring_view name);

// The form under which the file system tells paths apart: case folded, trailing dots and spaces dropped
// (the platform strips them from every name), so two paths with one key name one item.
std::wstring PathKey(std::wstring_view path);
