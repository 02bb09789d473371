#include "shellext/settings/RecentClearSignal.h"

namespace {
constexpr wchar_t kCounterName[] = L"Local\\BrivaneRecentPathsClears";
constexpr wchar_t kMutexName[] = L"Local\\BrivaneRecentPathsLock";
constexpr DWORD kLockTimeoutMs = 5000;
}  // namespace

RecentClearSignal::RecentClearSignal()
    : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), kCounterName)),
      mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  // A fresh mapping is zero-filled, so the first holder starts the count at 0.
  if (mapping_)
    counter_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
}

RecentClearSignal::~RecentClearSignal() {
  if (counter_) UnmapViewOfFile(const_cast<LONG*>(counter_));
}

LONG RecentClearSignal::Generation() const { return counter_ ? InterlockedCompareExchange(counter_, 0, 0) : 0; }

LONG RecentClearSignal::Raise() { return counter_ ? InterlockedIncrement(counter_) : 0; }

RecentClearSignal::Guard::Guard(HANDLE mutex) {
  if (!mutex) return;
  DWORD wait = WaitForSingleObject(mutex, kLockTimeoutMs);
  // An abandoned lock is ours now; the stored values are whole values either way.
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) owned_ = mutex;
}

RecentClearSignal::Guard::~Guard() {
  if (owned_) ReleaseMutex(owned_);
}
