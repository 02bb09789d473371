#include "shellext/settings/Favorites.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "shellext/settings/SettingsRegistry.h"

namespace reg = settings_registry;

namespace {

constexpr size_t kMaxEntryChars = 255;

std::wstring EntryText(CommandId id) { return std::to_wstring(id); }

// The number at the start of the text, as the C runtime's decimal conversion reads it (leading
// blanks, a sign, digits; 0 without digits), saturated instead of overflowing. Nothing when the
// value is no command id (negative, or 64 and above).
bool ParseEntry(const std::wstring& text, CommandId& id) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  unsigned long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    if (value < kCommandCount) value = value * 10 + (text[i] - L'0');
  if (negative && value != 0) return false;
  if (value >= kCommandCount) return false;
  id = CommandId(value);
  return true;
}

}  // namespace

FavoritesList LoadFavorites() {
  FavoritesList list;
  auto value = reg::Read(reg::kFavoritesItems, kFavoritesMaxBytes);
  if (!value || value->type != REG_MULTI_SZ || value->bytes.empty()) return list;

  size_t chars = value->bytes.size() / sizeof(wchar_t);
  std::wstring data(chars, L'\0');
  std::memcpy(data.data(), value->bytes.data(), chars * sizeof(wchar_t));
  size_t position = 0;
  while (position < chars && data[position] != L'\0') {
    size_t end = data.find(L'\0', position);
    if (end == std::wstring::npos) end = chars;  // the last string may lack its terminator
    CommandId id = 0;
    if (ParseEntry(data.substr(position, std::min(end - position, kMaxEntryChars)), id) &&
        (list.empty() || list.back() != id))
      list.push_back(id);
    position = end + 1;
  }
  return list;
}

size_t FavoritesStoredSize(const FavoritesList& list) {
  size_t bytes = 0;
  for (CommandId id : list) bytes += (EntryText(id).size() + 1) * sizeof(wchar_t);
  return bytes;
}

void SaveFavorites(const FavoritesList& list) {
  std::wstring data;
  for (CommandId id : list) {
    std::wstring entry = EntryText(id);
    if ((data.size() + entry.size() + 1) * sizeof(wchar_t) > kFavoritesMaxBytes) break;
    data += entry;
    data += L'\0';
  }
  // The final empty string of the multi-string is not counted in the stored size; the extra
  // terminator in memory keeps the data well formed for the call.
  DWORD size = DWORD(data.size() * sizeof(wchar_t));
  data += L'\0';
  reg::Write(reg::kFavoritesItems, REG_MULTI_SZ, data.c_str(), size, reg::KeyAccess::CreateAll);
}
