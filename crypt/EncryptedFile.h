#pragma once
// Encrypted files: the 16-byte password check value (MD5 of the password bytes) followed by the
// plain bytes enciphered with RC4 as one keystream. No header, length or trailer. The routines
// rewrite an item in place; naming (".qxenc") belongs to the operations.
#include <windows.h>

#include <string>

// winbase.h maps these names to the file-system encryption API (EncryptFileW, DecryptFileW).
#undef EncryptFile
#undef DecryptFile

// Return codes of EncryptFile and DecryptFile; the numbers reach the user in "PRIVRESPONSE n".
namespace crypt_code {
enum : int {
  Done = 0,
  NotAFile = 1,            // EncryptFile: the path is a folder; nothing done
  NoTemporaryFile = 2,     // "GetTempFileName failed!"
  EncryptSourceOpen = 3,   // "Error opening source file"
  EncryptDestOpen = 4,     // "Error opening dest file"
  DecryptDestOpen = 3,
  DecryptSourceOpen = 4,
  NoDigest = 5,            // EncryptFile: the check value cannot be computed
  TooShort = 6,            // DecryptFile: fewer than 16 bytes
  CipherFailed = 7,        // the provider or a cipher call failed
  ReadWriteFailed = 8,     // reading the item or writing the new content failed
  ReplaceFailed = 9,       // the new content could not take the item's place or its new name
};
}
// Every failure leaves the item unchanged and removes the temporary file.

// Rewrite the item in place.
int EncryptFile(HWND owner, const std::wstring& path, const std::wstring& password);
// Does not check the password: callers call CheckPassword first.
int DecryptFile(HWND owner, const std::wstring& path, const std::wstring& password);

// Write the new content under `target`, a free name in the item's folder, and leave the item as it is:
// the item is never changed before its new name has been taken.
int EncryptFileAs(HWND owner, const std::wstring& path, const std::wstring& target, const std::wstring& password);
int DecryptFileAs(HWND owner, const std::wstring& path, const std::wstring& target, const std::wstring& password);
// True when the file's first 16 bytes are the password's check value.
bool CheckPassword(const std::wstring& path, const std::wstring& password);
