#include "shellext/settings/SettingsRegistry.h"

#include <cstdio>
#include <cstring>

#include "atl/Handles.h"

namespace settings_registry {

namespace {

constexpr REGSAM kReadWriteRights = 0x2001F;  // KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY

std::wstring SlotName(const wchar_t* prefix, int slot) {
  wchar_t digits[8];
  std::swprintf(digits, 8, L"%02d", slot);
  return prefix + std::wstring(digits);
}

UniqueKey OpenForWriting(KeyAccess access) {
  UniqueKey key;
  if (access == KeyAccess::ExistingOnly) {
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_WRITE, key.put()) != ERROR_SUCCESS) key.reset();
    return key;
  }
  REGSAM rights = access == KeyAccess::CreateAll ? KEY_ALL_ACCESS : kReadWriteRights;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, rights, nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS)
    key.reset();
  return key;
}

}  // namespace

std::wstring RecentCopyPathName(int slot) { return SlotName(L"RecentCopyPath", slot); }
std::wstring RecentMovePathName(int slot) { return SlotName(L"RecentMovePath", slot); }

OpenKey OpenKey::ForReading() {
  OpenKey opened;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, opened.key_.put()) != ERROR_SUCCESS)
    opened.key_.reset();
  return opened;
}

OpenKey OpenKey::ForWriting(KeyAccess access) {
  OpenKey opened;
  opened.key_ = OpenForWriting(access);
  return opened;
}

std::optional<StoredValue> OpenKey::Read(const wchar_t* name, DWORD maxBytes) const {
  if (!key_) return std::nullopt;
  StoredValue value;
  // Never pass a null buffer: the call would then report the size instead of reading.
  value.bytes.assign(maxBytes > 0 ? maxBytes : 1, 0);
  DWORD size = maxBytes;
  if (RegQueryValueExW(key_.get(), name, nullptr, &value.type, value.bytes.data(), &size) != ERROR_SUCCESS ||
      size > maxBytes)
    return std::nullopt;
  value.bytes.resize(size);
  return value;
}

bool OpenKey::Write(const wchar_t* name, DWORD type, const void* data, DWORD size) const {
  return key_ && RegSetValueExW(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

std::optional<StoredValue> Read(const wchar_t* name, DWORD maxBytes) {
  return OpenKey::ForReading().Read(name, maxBytes);
}

bool Write(const wchar_t* name, DWORD type, const void* data, DWORD size, KeyAccess access) {
  return OpenKey::ForWriting(access).Write(name, type, data, size);
}

bool ReadExactBinary(const wchar_t* name, void* out, DWORD size) {
  auto value = Read(name, size);
  if (!value || value->type != REG_BINARY || value->bytes.size() != size) return false;
  std::memcpy(out, value->bytes.data(), size);
  return true;
}

bool ReadRecord(const wchar_t* name, void* record, DWORD size) {
  auto value = Read(name, size);
  if (!value || value->type != REG_BINARY) return false;
  if (!value->bytes.empty()) std::memcpy(record, value->bytes.data(), value->bytes.size());
  return true;
}

bool WriteRecord(const wchar_t* name, const void* record, DWORD size) {
  return Write(name, REG_BINARY, record, size, KeyAccess::CreateReadWrite);
}

}  // namespace settings_registry
