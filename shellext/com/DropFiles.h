#pragma once
#include <windows.h>

#include <vector>

#include "base/PathList.h"

// The paths of a CF_HDROP medium (DROPFILES header, then a double-null-terminated list, wide or ANSI),
// read in one pass and viewed where they lie. DragQueryFileW walks the list from its start for every
// index, which makes large selections quadratic; and copying thousands of paths costs more than reading
// them, since fresh memory is dear under Wine.
class DroppedFiles {
 public:
  DroppedFiles() = default;
  // Takes over the medium (left empty) and releases it when done. A damaged block keeps the paths read
  // before the damage, and complete() is false.
  explicit DroppedFiles(STGMEDIUM& medium);
  ~DroppedFiles() { Release(); }
  DroppedFiles(DroppedFiles&& other) noexcept { Swap(other); }
  DroppedFiles& operator=(DroppedFiles&& other) noexcept {
    if (this != &other) {
      Release();
      Swap(other);
    }
    return *this;
  }

  const PathViews& paths() const { return paths_; }
  bool complete() const { return complete_; }

 private:
  void Read();
  void Release();
  void Swap(DroppedFiles& other) noexcept;

  STGMEDIUM medium_{};
  bool locked_ = false;
  std::vector<wchar_t> widened_;  // an ANSI list, whole
  PathViews paths_;
  bool complete_ = false;
};
