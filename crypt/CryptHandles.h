#pragma once
// Owners for the CryptoAPI provider, hash and key handles.
#include <windows.h>
#include <wincrypt.h>

#include "atl/Handles.h"

struct CryptProviderTraits {
  static HCRYPTPROV Invalid() { return 0; }
  static bool Valid(HCRYPTPROV h) { return h != 0; }
  static void Close(HCRYPTPROV h) { CryptReleaseContext(h, 0); }
};
struct CryptHashTraits {
  static HCRYPTHASH Invalid() { return 0; }
  static bool Valid(HCRYPTHASH h) { return h != 0; }
  static void Close(HCRYPTHASH h) { CryptDestroyHash(h); }
};
struct CryptKeyTraits {
  static HCRYPTKEY Invalid() { return 0; }
  static bool Valid(HCRYPTKEY h) { return h != 0; }
  static void Close(HCRYPTKEY h) { CryptDestroyKey(h); }
};

using UniqueCryptProvider = UniqueHandle<HCRYPTPROV, CryptProviderTraits>;
using UniqueCryptHash = UniqueHandle<HCRYPTHASH, CryptHashTraits>;
using UniqueCryptKey = UniqueHandle<HCRYPTKEY, CryptKeyTraits>;
