#include "fileops/ScratchNames.h"

#include <windows.h>

#include "atl/Handles.h"

namespace {

// splitmix64: each step gives a well-mixed 64-bit value from a plain counter.
uint64_t Mix(uint64_t state) {
  uint64_t z = state + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

ScratchNames::ScratchNames() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  // Mixed, so that two batches started close together begin far apart in the sequence and never walk
  // over each other's names.
  state_ = Mix(uint64_t(now.QuadPart) ^ (uint64_t(GetCurrentProcessId()) << 32) ^ GetCurrentThreadId());
}

std::wstring ScratchNames::NameFor(uint64_t state) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  uint32_t value = uint32_t(Mix(state) >> 32);
  std::wstring name = L"mrv";
  for (int shift = 28; shift >= 0; shift -= 4) name.push_back(kHex[(value >> shift) & 0xF]);
  return name + L".tmp";
}

std::wstring ScratchNames::Peek() const { return NameFor(state_ + 1); }

template <class Claim>
std::wstring ScratchNames::Draw(const std::wstring& folder, Claim claim) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::wstring path = folder + L"\\" + NameFor(++state_);
    if (path.size() >= MAX_PATH) return L"";
    if (claim(path)) return path;
    DWORD error = GetLastError();
    // Taken, or still being deleted by someone: draw again. Anything else is the folder's answer.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return L"";
  }
  return L"";
}

std::wstring ScratchNames::Reserve(const std::wstring& folder) {
  return Draw(folder, [](const std::wstring& path) {
    return bool(UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
  });
}

std::wstring ScratchNames::ReserveFolder(const std::wstring& folder) {
  return Draw(folder, [](const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != FALSE; });
}
