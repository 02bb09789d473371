#pragma once
// The one place that touches the per-user key HKEY_CURRENT_USER\Software\Brivane. Every stored value
// is read and written through these functions; the typed readers with their defaults sit on top.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "atl/Handles.h"

namespace settings_registry {

inline constexpr wchar_t kKeyPath[] = L"Software\\Brivane";

// Value names. The recent folders are "RecentCopyPath00".."04" and "RecentMovePath00".."04".
inline constexpr wchar_t kFavoritesSettings[] = L"FavoritesSettings";
inline constexpr wchar_t kAutomaticUpdatesInterval[] = L"AutomaticUpdatesInterval";
inline constexpr wchar_t kLastCheckedForUpdates[] = L"LastCheckedForUpdates";
inline constexpr wchar_t kFavoritesItems[] = L"Favorites Items";
inline constexpr wchar_t kLastDesktopSortData[] = L"LastDesktopSortData";
inline constexpr wchar_t kLastPutLogoData[] = L"LastPutLogoData";
std::wstring RecentCopyPathName(int slot);
std::wstring RecentMovePathName(int slot);

// How a writer reaches the key.
enum class KeyAccess {
  CreateAll,        // RegCreateKeyExW with KEY_ALL_ACCESS: creates the key when missing
  CreateReadWrite,  // RegCreateKeyExW with read and write rights (0x2001F), for the stored records
  ExistingOnly,     // RegOpenKeyExW with KEY_WRITE: nothing is written while the key is missing
};

struct StoredValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

// Reads a value of at most maxBytes. Nothing when the key or the value is missing or the value is
// larger than maxBytes.
std::optional<StoredValue> Read(const wchar_t* name, DWORD maxBytes);

// Writes a value; false when the key could not be reached or the write failed.
bool Write(const wchar_t* name, DWORD type, const void* data, DWORD size, KeyAccess access);

// The key held open for a run of reads or of writes, which then cost one registry call each instead
// of three. Reads and writes behave as the functions above.
class OpenKey {
 public:
  static OpenKey ForReading();
  static OpenKey ForWriting(KeyAccess access);

  std::optional<StoredValue> Read(const wchar_t* name, DWORD maxBytes) const;
  bool Write(const wchar_t* name, DWORD type, const void* data, DWORD size) const;

 private:
  UniqueKey key_;
};

// A REG_BINARY value of exactly `size` bytes copied into `out`; false (and `out` untouched) otherwise.
bool ReadExactBinary(const wchar_t* name, void* out, DWORD size);

// A stored record (REG_BINARY, at most `size` bytes): its bytes fill the record's beginning and the
// rest keeps what it held. False, with the record untouched, when it is missing, larger or mistyped.
bool ReadRecord(const wchar_t* name, void* record, DWORD size);
bool WriteRecord(const wchar_t* name, const void* record, DWORD size);

}  // namespace settings_registry
