#include "crypt/PasswordCipher.h"

#include <atomic>

namespace {
std::atomic<int> g_failingStep{-1};

// True when a test asked this step to fail.
bool InjectedFailure() {
  int step = g_failingStep.load();
  while (step >= 0 && !g_failingStep.compare_exchange_weak(step, step - 1)) {
  }
  return step == 0;
}
}  // namespace

void SimulateCipherFailure(int call) { g_failingStep = call; }

bool PasswordCipher::Open(const std::vector<uint8_t>& passwordBytes) {
  if (InjectedFailure()) return false;
  // A verify context needs no key container: the derived session key is the same, and a user
  // without a default container (every fresh profile, and Wine) would otherwise get NTE_BAD_KEYSET.
  return CryptAcquireContextW(provider_.put(), nullptr, MS_STRONG_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
         CryptCreateHash(provider_.get(), CALG_MD5, 0, 0, hash_.put()) &&
         CryptHashData(hash_.get(), passwordBytes.data(), DWORD(passwordBytes.size()), 0) &&
         CryptDeriveKey(provider_.get(), CALG_RC4, hash_.get(), 0, key_.put());
}

bool PasswordCipher::Encrypt(uint8_t* block, DWORD length, bool final) {
  if (InjectedFailure()) return false;
  DWORD done = length;
  return CryptEncrypt(key_.get(), 0, final, 0, block, &done, length) && done == length;
}

bool PasswordCipher::Decrypt(uint8_t* block, DWORD length, bool final) {
  if (InjectedFailure()) return false;
  DWORD done = length;
  return CryptDecrypt(key_.get(), 0, final, 0, block, &done) && done == length;
}
