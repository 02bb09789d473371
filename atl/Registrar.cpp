#include "atl/Registrar.h"

#include "atl/ComPtr.h"

std::wstring QuotedForRegistrar(const std::wstring& text) {
  std::wstring quoted;
  quoted.reserve(text.size());
  for (wchar_t c : text) {
    quoted += c;
    if (c == L'\'') quoted += L'\'';
  }
  return quoted;
}

HRESULT RunRegistrarScript(const std::wstring& modulePath, UINT script, const Replacements& replacements,
                           bool install) {
  ComPtr<IRegistrar> registrar;
  HRESULT hr = CoCreateInstance(kClsidRegistrar, nullptr, CLSCTX_INPROC_SERVER, kIidRegistrar, registrar.put_void());
  if (FAILED(hr)) return hr;
  for (const auto& [key, item] : replacements) {
    hr = registrar->AddReplacement(key.c_str(), QuotedForRegistrar(item).c_str());
    if (FAILED(hr)) return hr;
  }
  return install ? registrar->ResourceRegister(modulePath.c_str(), script, L"REGISTRY")
                 : registrar->ResourceUnregister(modulePath.c_str(), script, L"REGISTRY");
}
