#pragma once
// Gives a test its own HKEY_CURRENT_USER: the process's current-user root is redirected to a private
// key while the sandbox lives, so tests of the stored settings neither see nor disturb the values that
// other test programs write at the same time. The Brivane key starts absent and is removed at the end.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class SettingsSandbox {
 public:
  SettingsSandbox();
  ~SettingsSandbox();
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;

  // Removes the Brivane key with all its values.
  static void RemoveKey();
  static bool KeyExists();
  bool redirected() const { return redirected_; }

 private:
  std::wstring root_;
  bool redirected_ = false;
  bool owner_ = true;
};

// Direct access to values under the (redirected) Brivane key, bypassing the code under test.
void PutValue(const wchar_t* name, DWORD type, const void* data, DWORD size);
void PutBinary(const wchar_t* name, const std::vector<uint8_t>& bytes);
void PutString(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);
// A multi-string from its strings; the stored size counts each string with its terminator.
void PutMultiString(const wchar_t* name, const std::vector<std::wstring>& strings);
bool ValueExists(const wchar_t* name);
// The value's bytes and type; empty bytes and REG_NONE when missing.
std::vector<uint8_t> GetValue(const wchar_t* name, DWORD* type = nullptr);
std::wstring GetString(const wchar_t* name);

// Runs one test of this program (a DISABLED_ one, say) in a child process that shares the calling
// process's sandbox; returns its exit code (0 when the test passed).
DWORD RunTestInChildProcess(const std::wstring& testName);
