#include "rename/NameRules.h"

#include <windows.h>

std::wstring JoinName(const std::wstring& stem, const std::wstring& extension) {
  return extension.empty() ? stem : stem + L"." + extension;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& stem, const std::wstring& extension) {
  return folder + L"\\" + JoinName(stem, extension);
}

std::optional<std::wstring> TruncatedName(const PathParts& parts, int32_t count, bool fromBeginning,
                                          bool includeExtension) {
  const std::wstring& whole = includeExtension ? parts.name : parts.title;
  uint64_t cut = uint64_t(int64_t(count));
  if (uint64_t(whole.size()) <= cut) return std::nullopt;
  std::wstring name = fromBeginning ? whole.substr(size_t(cut)) : whole.substr(0, whole.size() - size_t(cut));
  if (!includeExtension && !parts.extension.empty()) name += L"." + parts.extension;
  return name;
}

std::wstring NumberText(int32_t value) {
  // Widened so that the most negative value has a magnitude too.
  return std::to_wstring(int64_t(value));
}

bool NumbersFitField(int32_t start, size_t count) {
  if (count == 0) return true;
  int64_t last = int64_t(start) + int64_t(count - 1);
  return start >= kSmallestFieldNumber && count <= size_t(kLargestFieldNumber) + 1 && last <= kLargestFieldNumber;
}

std::wstring NumberFieldMessage(size_t count) {
  int64_t largest = int64_t(kLargestFieldNumber) - int64_t(count == 0 ? 0 : count - 1);
  return L"The numbers given to the " + std::to_wstring(count) +
         L" selected items must fit in 7 characters (a minus sign counts as one).\nEnter a start number from " +
         std::to_wstring(kSmallestFieldNumber) + L" to " + std::to_wstring(largest) + L".";
}

bool IsUsableName(std::wstring_view name) { return CheckNewName(name, /*folder=*/false) == NameProblem::None; }

std::wstring PathKey(std::wstring_view path) {
  size_t end = path.find_last_not_of(L". ");
  std::wstring key(path.substr(0, end == std::wstring_view::npos ? 0 : end + 1));
  if (!key.empty()) CharUpperBuffW(key.data(), DWORD(key.size()));
  return key;
}
