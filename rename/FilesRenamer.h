#pragma once
// The batch rename engine under every rename style. A style only decides each item's new full path
// (GenerateNewNames); the engine checks for open items, works out every new name and asks before
// replacing items outside the batch while everything still has its old name, and only then moves every
// item aside to a scratch name and each to its new name, putting items back whenever the batch cannot
// finish, so that no item is ever left under a scratch name.
#include <windows.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "base/OperationResult.h"
#include "base/PathList.h"
#include "fileops/FileMachine.h"
#include "fileops/FileOperation.h"
#include "rename/NameRules.h"

class FilesRefactor;

class FilesRenamer : public BrivaneElement {
 public:
  FilesRenamer(HWND owner, const PathList& paths);
  virtual ~FilesRenamer() = default;
  FilesRenamer(const FilesRenamer&) = delete;
  FilesRenamer& operator=(const FilesRenamer&) = delete;

  // Runs the whole batch once and fills the result (kind rename). File-system failures become statuses.
  void Rename(OperationResult& result);

  // Appends one new full path per entry of movedPaths, in order (the item's own path when it keeps its
  // name), then asks about the new paths already taken outside the batch. Runs before anything moves.
  // Returns how many items the style's rules keep under their names, -2 when the user declined to
  // replace, -1 on an unexpected error.
  virtual int GenerateNewNames() = 0;

  // Asks whether the existing items may go to the recycle bin, and sends them there: passThrough when
  // they went, -2 on any answer but Yes, -1 when one could not be deleted.
  int ConfirmOverwrite(const PathList& existingPaths, int passThrough);

  // Questions go through the operations object, which hides its progress window while asking.
  void AskThrough(const FilesRefactor* refactor) { refactor_ = refactor; }

  HWND owner;
  PathList oldPaths;    // the selection, in the caller's order
  PathList newPaths;    // one new path per moved item, filled by GenerateNewNames
  PathList tempPaths;   // where each moved item waits between the phases
  PathList movedPaths;  // the old path of each item to move, paired with tempPaths by position

 protected:
  // The steps of a GenerateNewNames walk.
  // Gives the item folder\name as the file system stores it (without trailing dots and spaces), or keeps
  // it under its own name (counted) when that name cannot be given: not a usable name, a path of
  // MAX_PATH characters or more, or a folder that holds an item of this batch.
  void Propose(const std::wstring& oldPath, const std::wstring& folder, const std::wstring& name);
  // Leaves the item under its own name; counted when a rule of the style refused it a new one.
  void Keep(const std::wstring& oldPath, bool counted);
  // Ends the walk: the question about the proposed paths that already exist, or the kept count.
  int FinishWalk();
  // The whole walk of the styles that give each item, in order, a new stem and keep its extension (lowered).
  template <class StemFor>
  int GiveEachANewStem(StemFor stemFor) {
    for (const std::wstring& path : movedPaths) {
      PathParts parts = SplitPath(path);
      Propose(path, parts.folder, JoinName(stemFor(parts), parts.extension));
    }
    return FinishWalk();
  }

 private:
  bool AnyItemOpen() const;
  int ChooseItemsToMove();
  bool MoveToTemporaryNames();
  int MoveToNewNames(const std::vector<bool>& backToOldName);
  std::vector<bool> ItemsSharingANewName() const;
  void MoveBack();
  void RememberWhatTheBatchStandsOn();
  int Ask(const wchar_t* text, const wchar_t* caption, UINT type) const;

  const FilesRefactor* refactor_ = nullptr;
  // Keys of the folders that hold the items to move, and of every folder above them: no item may be
  // given one of them, and none may be replaced, or the items inside would go with it.
  std::unordered_set<std::wstring> standsOn_;
  // Keys of the old paths of the items to move: they are free once the items are aside, so a new name
  // equal to one of them replaces nothing.
  std::unordered_set<std::wstring> moving_;
  PathList existing_;
  std::unordered_set<std::wstring> existingKeys_;
  int kept_ = 0;
};
