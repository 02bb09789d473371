#pragma once
// Helpers of the encryption tests: hex and a reference RC4 (folder links come from the shared support).
#include <cstdint>
#include <string>
#include <vector>

#include "support/FolderLinks.h"

std::string FromHex(const std::string& hex);
std::string ToHex(const std::string& bytes);

// A plain RC4 written from the algorithm's description, checked against RFC 6229 in the tests; the
// yardstick for the keystream that CryptoAPI produces.
std::string Rc4Keystream(const std::string& key, size_t length);

// The file holds the encryption of the plain bytes under the password: 16 bytes longer, the password's
// check value first, the plain bytes not in it as they were.
bool IsEncryptionOf(const std::wstring& path, const std::string& plain, const std::wstring& password);

// Temporary files of the routines ("mrvXXXX.tmp", "WexXXXX.tmp") left in the folder.
std::vector<std::wstring> TemporaryFilesIn(const std::wstring& folder);
