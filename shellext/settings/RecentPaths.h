#pragma once
// The last five destination folders of "Copy" and of "Move" through the folder browser, newest
// first, stored as "RecentCopyPath00".."04" and "RecentMovePath00".."04".
#include <array>
#include <string>

#include "base/PathList.h"
#include "shellext/settings/RecentClearSignal.h"

class RecentPaths {
 public:
  static constexpr int kSlots = 5;
  // Longer paths are cut to this many characters when stored.
  static constexpr size_t kMaxStoredChars = 1023;
  using Slots = std::array<std::wstring, kSlots>;

  // Loads the stored folders. Nothing is written back when the object goes: the folders are saved
  // when a command changes them, so a right-click writes nothing.
  RecentPaths();
  RecentPaths(const RecentPaths&) = delete;
  RecentPaths& operator=(const RecentPaths&) = delete;

  void Load();
  // Writes all ten values. Folders loaded before a "Clear Recent Data" made by any object since are
  // not written back: the stored state after the clear is taken up first.
  void Save();
  // Empties all ten slots and stores them; every other live object counts as cleared too.
  void ClearAll();

  // Puts the folder at the front (exact comparison); the caller saves. An empty path changes nothing.
  void AddCopyFolder(const std::wstring& path);
  void AddMoveFolder(const std::wstring& path);

  const Slots& copyFolders() const { return copy_; }
  const Slots& moveFolders() const { return move_; }
  int copyCount() const { return copyCount_; }
  int moveCount() const { return moveCount_; }
  // The leading non-empty folders, newest first.
  PathList CopyList() const;
  PathList MoveList() const;

 private:
  void LoadLocked();
  void CatchUpWithClears();
  void Recount();

  Slots copy_;
  Slots move_;
  int copyCount_ = 0;
  int moveCount_ = 0;
  RecentClearSignal clears_;
  LONG generation_ = 0;  // the clears already reflected in the slots
};
