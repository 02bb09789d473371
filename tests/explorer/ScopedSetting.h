#pragma once
// A string value of the current user's registry, set while the object lives and put back afterwards
// (removed when there was none): the programs the tests start read it as they start.
#include <windows.h>

#include <string>

class ScopedSetting {
 public:
  ScopedSetting(const wchar_t* key, const wchar_t* name, const std::wstring& text) : key_(key), name_(name) {
    wchar_t old[1024] = L"";
    DWORD size = sizeof old;
    had_ = RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, old, &size) == ERROR_SUCCESS;
    old_ = old;
    Set(text);
  }
  ~ScopedSetting() {
    if (had_)
      Set(old_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key_, name_);
  }
  ScopedSetting(const ScopedSetting&) = delete;
  ScopedSetting& operator=(const ScopedSetting&) = delete;

 private:
  void Set(const std::wstring& text) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key_, name_, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
  }

  const wchar_t* key_;
  const wchar_t* name_;
  bool had_ = false;
  std::wstring old_;
};
