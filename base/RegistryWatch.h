#pragma once
// Tells whether any of a few registry keys changed since it was last asked, through the system's
// change notifications on one event: a reader that would otherwise read every value again on every
// call pays one wait instead.
#include <windows.h>

#include <vector>

#include "atl/Handles.h"

class RegistryWatch {
 public:
  struct Target {
    HKEY root;
    const wchar_t* path;
    DWORD filter;              // REG_NOTIFY_CHANGE_* of this key (not of its subkeys)
    // A missing key counts as unchanged: its creation is seen through a watch on its parent, or does
    // not matter to the caller.
    bool mayBeMissing = false;
  };

  explicit RegistryWatch(std::vector<Target> targets);
  RegistryWatch(const RegistryWatch&) = delete;
  RegistryWatch& operator=(const RegistryWatch&) = delete;

  // True on the first call, after any change to a watched key, and while a key that must be there
  // cannot be watched: the caller reads again. Every notification is armed again before it answers
  // true, so a change made while the caller reads is seen by the next call. Not thread-safe: callers
  // hold their own lock.
  bool Changed();
  // The next call answers true and watches the keys anew: for a caller that knows of a change the
  // notifications cannot see (the current user's key mapped elsewhere with RegOverridePredefKey).
  void Forget() { armed_ = false; }

 private:
  bool ArmAll();

  std::vector<Target> targets_;
  std::vector<UniqueKey> keys_;
  UniqueKernelHandle event_;
  bool armed_ = false;
};
