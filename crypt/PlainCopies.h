#pragma once
// The plain copies that "keep the original" encryption puts back beside the encrypted items: each
// item is copied into a backup folder (mrvXXXX.tmp beside the first item) before it is encrypted in
// place, and moved back into its own folder afterwards.
#include <windows.h>

#include <string>

#include "base/PathList.h"

class PlainCopies {
 public:
  explicit PlainCopies(HWND owner) : owner_(owner) {}

  // Copies every item; false after a failure, with the backup folder removed again.
  bool Make(const PathList& items);
  // Moves every copy back into its item's folder and removes the backup folder. False when a copy
  // could not be moved: the backup folder then stays, holding it.
  bool PutBack();

 private:
  std::wstring Slot(size_t index) const;
  void Discard();

  HWND owner_;
  std::wstring folder_;
  PathList items_;
};
