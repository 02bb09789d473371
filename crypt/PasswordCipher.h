#pragma once
// The RC4 keystream of an encrypted file: a key derived (CryptDeriveKey, no salt) from an MD5 hash
// of the password bytes in the Microsoft Strong Cryptographic Provider, which makes it RC4 keyed with
// the 16 digest bytes. One object enciphers one file as one continuous keystream.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "crypt/CryptHandles.h"

class PasswordCipher {
 public:
  // False when the provider cannot be opened or the key cannot be made.
  bool Open(const std::vector<uint8_t>& passwordBytes);

  // Enciphers or deciphers the block in place, continuing the keystream; the last call of a file is
  // marked final. False when the cipher call fails or changes the length.
  bool Encrypt(uint8_t* block, DWORD length, bool final);
  bool Decrypt(uint8_t* block, DWORD length, bool final);

 private:
  UniqueCryptProvider provider_;
  UniqueCryptHash hash_;
  UniqueCryptKey key_;
};

// Fault injection for tests: the call-th following cipher step fails, counting the key setup as
// step 0 and each block after it; -1 switches it off. Process-wide.
void SimulateCipherFailure(int call);
