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

uint32_t Value(uint64_t state) { return uint32_t(Mix(state) >> 32); }

bool CreateEmptyFile(const std::wstring& path) {
  return bool(UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

bool CreateEmptyFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != FALSE; }

}  // namespace

ScratchNames::ScratchNames() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  // Mixed, so that two batches started close together begin far apart in the sequence and never walk
  // over each other's names.
  state_ = Mix(uint64_t(now.QuadPart) ^ (uint64_t(GetCurrentProcessId()) << 32) ^ GetCurrentThreadId());
}

std::wstring ScratchNames::NameFor(uint32_t value, int digits, bool fullForm) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring hex;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) hex.push_back(kHex[(value >> shift) & 0xF]);
  return fullForm ? L"mrv" + hex + L".tmp" : hex;
}

std::wstring ScratchNames::Peek() const { return NameFor(Value(state_ + 1), 8, true); }

std::wstring ScratchNames::Reserve(const std::wstring& folder, const std::function<bool(const std::wstring&)>& avoid) {
  return Draw(folder, avoid, CreateEmptyFile);
}

std::wstring ScratchNames::ReserveFolder(const std::wstring& folder) { return Draw(folder, nullptr, CreateEmptyFolder); }

std::wstring ScratchNames::Draw(const std::wstring& folder, const std::function<bool(const std::wstring&)>& avoid,
                                Claim claim) {
  if (folder.size() + 2 >= MAX_PATH) return L"";
  const size_t room = MAX_PATH - 2 - folder.size();  // characters left for a name
  const bool fullForm = room >= 15;
  const int digits = fullForm ? 8 : int(room < 8 ? room : 8);
  // One or two digits make few names: each is tried once, from where the sequence points.
  const uint32_t few = digits <= 2 ? 1u << (4 * digits) : 0;
  const uint32_t start = Value(++state_);
  for (uint32_t attempt = 0; attempt < (few ? few : uint32_t(kAttempts)); ++attempt) {
    uint32_t value = few || attempt == 0 ? start + attempt : Value(++state_);
    std::wstring path = folder + L"\\" + NameFor(value, digits, fullForm);
    if (avoid && avoid(path)) continue;
    if (claim(path)) return path;
    DWORD error = GetLastError();
    // Taken, or still being deleted by someone: draw again. Anything else is the folder's answer.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) return L"";
  }
  return L"";
}
