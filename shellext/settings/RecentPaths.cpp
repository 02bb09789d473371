#include "shellext/settings/RecentPaths.h"

#include <windows.h>

#include <cstring>

#include "shellext/settings/SettingsRegistry.h"

namespace reg = settings_registry;

namespace {

constexpr DWORD kReadBytes = 2048;

std::wstring ReadSlot(const reg::OpenKey& key, const std::wstring& name) {
  auto value = key.Read(name.c_str(), kReadBytes);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return {};
  std::wstring text(value->bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), value->bytes.data(), text.size() * sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

void WriteSlot(const reg::OpenKey& key, const std::wstring& name, const std::wstring& path) {
  std::wstring stored = path.substr(0, RecentPaths::kMaxStoredChars);
  key.Write(name.c_str(), REG_SZ, stored.c_str(), DWORD((stored.size() + 1) * sizeof(wchar_t)));
}

int LeadingCount(const RecentPaths::Slots& slots) {
  int count = 0;
  while (count < RecentPaths::kSlots && !slots[count].empty()) ++count;
  return count;
}

// Most-recently-used update: a folder already listed moves to the front, a new one pushes the
// oldest out. An empty path would hide the folders behind it, so it is ignored.
void PutInFront(RecentPaths::Slots& slots, const std::wstring& path) {
  if (path.empty()) return;
  int found = 0;
  while (found < RecentPaths::kSlots && slots[found] != path) ++found;
  if (found == 0) return;
  if (found == RecentPaths::kSlots) found = RecentPaths::kSlots - 1;
  for (int k = found; k > 0; --k) slots[k] = std::move(slots[k - 1]);
  slots[0] = path;
}

PathList Leading(const RecentPaths::Slots& slots, int count) { return PathList(slots.begin(), slots.begin() + count); }

}  // namespace

RecentPaths::RecentPaths() { Load(); }

// Without the lock: building a menu must not wait for another process. Each value is read whole, and a
// clear that runs meanwhile raises the count first, so a later save catches up with it.
void RecentPaths::Load() { LoadLocked(); }

void RecentPaths::LoadLocked() {
  generation_ = clears_.Generation();
  reg::OpenKey key = reg::OpenKey::ForReading();
  for (int i = 0; i < kSlots; ++i) copy_[i] = ReadSlot(key, reg::RecentCopyPathName(i));
  for (int i = 0; i < kSlots; ++i) move_[i] = ReadSlot(key, reg::RecentMovePathName(i));
  Recount();
}

void RecentPaths::CatchUpWithClears() {
  if (clears_.Generation() != generation_) LoadLocked();
}

void RecentPaths::Save() {
  auto lock = clears_.Lock();
  CatchUpWithClears();
  // One creation of the key (with all access) for the ten values.
  reg::OpenKey key = reg::OpenKey::ForWriting(reg::KeyAccess::CreateAll);
  for (int i = 0; i < kSlots; ++i) WriteSlot(key, reg::RecentCopyPathName(i), copy_[i]);
  for (int i = 0; i < kSlots; ++i) WriteSlot(key, reg::RecentMovePathName(i), move_[i]);
  Recount();
}

void RecentPaths::ClearAll() {
  auto lock = clears_.Lock();
  for (auto& slot : copy_) slot.clear();
  for (auto& slot : move_) slot.clear();
  generation_ = clears_.Raise();
  Save();
}

void RecentPaths::AddCopyFolder(const std::wstring& path) {
  {
    auto lock = clears_.Lock();
    CatchUpWithClears();
  }
  PutInFront(copy_, path);
  Recount();
}

void RecentPaths::AddMoveFolder(const std::wstring& path) {
  {
    auto lock = clears_.Lock();
    CatchUpWithClears();
  }
  PutInFront(move_, path);
  Recount();
}

PathList RecentPaths::CopyList() const { return Leading(copy_, copyCount_); }
PathList RecentPaths::MoveList() const { return Leading(move_, moveCount_); }

void RecentPaths::Recount() {
  copyCount_ = LeadingCount(copy_);
  moveCount_ = LeadingCount(move_);
}
