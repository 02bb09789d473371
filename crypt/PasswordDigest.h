#pragma once
// The password check value of encrypted files: the MD5 digest of the password's UTF-16LE code units
// followed by one 16-bit zero.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr size_t kDigestSize = 16;
using Digest = std::array<uint8_t, kDigestSize>;

// The bytes that are hashed: 2 x (length + 1), the terminator included.
std::vector<uint8_t> PasswordBytes(const std::wstring& password);

// MD5 of the bytes through CryptoAPI; nothing when a provider call fails.
std::optional<Digest> PasswordDigest(const uint8_t* bytes, size_t count);
