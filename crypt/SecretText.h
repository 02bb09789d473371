#pragma once
// Passwords are overwritten before their memory is given back.
#include <windows.h>

#include <string>

inline void WipeSecret(std::wstring& secret) {
  if (!secret.empty()) SecureZeroMemory(secret.data(), secret.size() * sizeof(wchar_t));
  secret.clear();
}
