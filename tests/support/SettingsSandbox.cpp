#include "support/SettingsSandbox.h"

#include <cstring>

#include "shellext/settings/SettingsSnapshot.h"

namespace {
constexpr wchar_t kBrivaneKey[] = L"Software\\Brivane";
constexpr wchar_t kInheritVariable[] = L"BRIVANE_TEST_SANDBOX";
}

SettingsSandbox::SettingsSandbox()
    : root_(L"Software\\BrivaneTestSandbox\\" + std::to_wstring(GetCurrentProcessId())) {
  // A helper process started by a test shares its parent's sandbox and leaves it in place.
  wchar_t inherited[64];
  DWORD length = GetEnvironmentVariableW(kInheritVariable, inherited, 64);
  if (length > 0 && length < 64) {
    root_ = L"Software\\BrivaneTestSandbox\\" + std::wstring(inherited);
    owner_ = false;
  }
  if (owner_) RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  HKEY root = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, root_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root, nullptr) ==
      ERROR_SUCCESS) {
    redirected_ = RegOverridePredefKey(HKEY_CURRENT_USER, root) == ERROR_SUCCESS;
    RegCloseKey(root);
  }
  // The process's settings snapshot watches the keys of the mapping it was read under.
  ForgetSettingsSnapshot();
  // A real current-user key always holds "Software".
  HKEY software = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &software, nullptr) ==
      ERROR_SUCCESS)
    RegCloseKey(software);
  if (owner_) RemoveKey();
}

SettingsSandbox::~SettingsSandbox() {
  if (!owner_) {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    ForgetSettingsSnapshot();
    return;
  }
  RemoveKey();
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  ForgetSettingsSnapshot();
  RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\BrivaneTestSandbox");  // only when no other sandbox is open
}

void SettingsSandbox::RemoveKey() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kBrivaneKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, kBrivaneKey);
}

bool SettingsSandbox::KeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kBrivaneKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void PutValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kBrivaneKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void PutBinary(const wchar_t* name, const std::vector<uint8_t>& bytes) {
  PutValue(name, REG_BINARY, bytes.data(), DWORD(bytes.size()));
}

void PutString(const wchar_t* name, const std::wstring& text, DWORD type) {
  PutValue(name, type, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

void PutMultiString(const wchar_t* name, const std::vector<std::wstring>& strings) {
  std::wstring data;
  for (const auto& text : strings) data += text + L'\0';
  DWORD size = DWORD(data.size() * sizeof(wchar_t));
  data += L'\0';
  PutValue(name, REG_MULTI_SZ, data.c_str(), size);
}

bool ValueExists(const wchar_t* name) {
  return RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::vector<uint8_t> GetValue(const wchar_t* name, DWORD* type) {
  DWORD size = 0, found = REG_NONE;
  std::vector<uint8_t> bytes;
  if (RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, name, RRF_RT_ANY | RRF_NOEXPAND, &found, nullptr, &size) ==
      ERROR_SUCCESS) {
    bytes.resize(size);
    if (RegGetValueW(HKEY_CURRENT_USER, kBrivaneKey, name, RRF_RT_ANY | RRF_NOEXPAND, &found,
                     size ? bytes.data() : nullptr, &size) != ERROR_SUCCESS)
      bytes.clear(), found = REG_NONE;
    bytes.resize(size);
  }
  if (type) *type = found;
  return bytes;
}

std::wstring GetString(const wchar_t* name) {
  std::vector<uint8_t> bytes = GetValue(name);
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

DWORD RunTestInChildProcess(const std::wstring& testName) {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(program) + L"\" --gtest_also_run_disabled_tests --gtest_filter=" + testName;
  SetEnvironmentVariableW(kInheritVariable, std::to_wstring(GetCurrentProcessId()).c_str());
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kInheritVariable, nullptr);
  if (!started) return DWORD(-1);
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}
