#pragma once
// Lets every RecentPaths object of the session learn that "Clear Recent Data" ran while it was
// alive, in this process or another one (Explorer may hold objects on several threads and in
// several processes): a counter in named shared memory, raised by every clear, and a named mutex
// that keeps a clear and a save from interleaving. The memory lives while any object holds it, which
// is exactly as long as an object with an older copy of the folders can exist.
#include <windows.h>

#include "atl/Handles.h"

class RecentClearSignal {
 public:
  RecentClearSignal();
  ~RecentClearSignal();
  RecentClearSignal(const RecentClearSignal&) = delete;
  RecentClearSignal& operator=(const RecentClearSignal&) = delete;

  // The number of clears so far (0 when the shared memory could not be had).
  LONG Generation() const;
  // Counts one more clear and returns the new number.
  LONG Raise();

  // Holds the session-wide lock while it lives (or nothing, when the lock cannot be had in time).
  class Guard {
   public:
    explicit Guard(HANDLE mutex);
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

   private:
    HANDLE owned_ = nullptr;
  };
  Guard Lock() const { return Guard(mutex_.get()); }

 private:
  UniqueKernelHandle mapping_;
  volatile LONG* counter_ = nullptr;
  UniqueKernelHandle mutex_;
};
