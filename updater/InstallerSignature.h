#pragma once
// The maker's signature of a release: the updater starts a downloaded installer only when it verifies
// against the maker's public key built into the program.
//
// Line 4 of the version file reads "ECDSA-P256 " and 128 hexadecimal digits: an ECDSA signature on the
// curve P-256 (r, then s, 32 bytes each) over the SHA-256 of the statement
//   "BrivaneVersionUpdateFile\n" version "\n" installer URL "\n" SHA-256 of the installer in lower-case hex "\n"
// with the version and the URL as the updater reads them from lines 2 and 3. So a signature speaks for
// exactly these installer bytes, as this version, from this address: a changed installer, a version file
// that names another one or passes an old release off as new, or a signature made with another key
// does not verify. scripts/sign-update writes a signed version file. The checks run on the platform's
// CNG (bcrypt).
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "updater/VersionFile.h"

using MakerKey = std::array<uint8_t, 64>;  // the public point: X, then Y, big-endian
using Sha256Digest = std::array<uint8_t, 32>;
using EcdsaSignature = std::array<uint8_t, 64>;

inline constexpr wchar_t kSignatureTag[] = L"ECDSA-P256 ";

// The key this program was built with (cmake: BRIVANE_UPDATE_PUBLIC_KEY).
const MakerKey& BuiltInMakerKey();

// Reads line 4; white space after the digits is allowed. False when it is not a signature line.
bool ParseSignatureLine(std::wstring_view line, EcdsaSignature& signature);
// The bytes the maker signs. Empty when the version or URL hold a character that no version file does.
std::string SignedStatement(const std::wstring& version, const std::wstring& installerUrl, const Sha256Digest& installer);
// The SHA-256 of the open file's bytes from its beginning.
bool HashFile(HANDLE file, Sha256Digest& digest);
bool VerifySignature(std::string_view statement, const EcdsaSignature& signature, const MakerKey& key);
// Whether the open installer is the one the release's signature line speaks for.
bool VerifyInstaller(HANDLE installer, const VersionFile& release, const MakerKey& key);
