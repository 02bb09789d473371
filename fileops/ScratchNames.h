#pragma once
// Scratch names beside the user's items, "mrvXXXXXXXX.tmp": the rename batches' temporary names and the
// folder that extract-to-folder gathers the selection in.
//
// GetTempFileNameW numbers at most 65535 names per prefix and probes them one after another, so a folder
// full of earlier scratch names slows it down quadratically and can exhaust it. Here every candidate is
// drawn afresh from a 32-bit pseudo-random sequence and claimed with CREATE_NEW (or CreateDirectoryW): a
// taken name costs one more draw, however many scratch names the folder already holds.
//
// In a folder too deep for that form the name is as many hexadecimal digits as still fit (one at the
// least), so that every item whose own path fits can be moved aside.
#include <cstdint>
#include <functional>
#include <string>

class ScratchNames {
 public:
  ScratchNames();                             // seeded from the clock, the process and the thread
  explicit ScratchNames(uint64_t seed) : state_(seed) {}

  // Creates an empty file under a new unique name in the folder and returns its full path; empty when
  // the folder refuses (missing, read-only, no room left for a name, every short name taken). Paths
  // for which `avoid` answers true are passed over.
  std::wstring Reserve(const std::wstring& folder, const std::function<bool(const std::wstring&)>& avoid = nullptr);
  // The same for a new empty folder.
  std::wstring ReserveFolder(const std::wstring& folder);

  // The name the next draw would produce in a folder with room for the full form (for tests that
  // occupy it first).
  std::wstring Peek() const;

  static constexpr int kAttempts = 64;

 private:
  // Creates the item at the path; false (with the platform's last error) when it cannot.
  using Claim = bool (*)(const std::wstring& path);
  std::wstring Draw(const std::wstring& folder, const std::function<bool(const std::wstring&)>& avoid, Claim claim);
  static std::wstring NameFor(uint32_t value, int digits, bool fullForm);

  uint64_t state_;
};
