#pragma once
// A scratch file beside an item that receives the item's new content. It never outlives the
// routine that made it unless it has become the item: replacing is a single rename over the
// item, so the item holds either its old or its new content, never neither; taking a new name is
// a single rename too, and leaves the item as it was.
#include <string>

class TemporaryOutput {
 public:
  // Creates the empty scratch file in the folder (GetTempFileNameW with the prefix). Where the folder
  // is too deep for that name, the file is named after `nameAfter`, a path in that folder that fits
  // with five characters more (see MakeScratchFileBeside).
  TemporaryOutput(const std::wstring& folder, const wchar_t* prefix, const std::wstring& nameAfter);
  ~TemporaryOutput();
  TemporaryOutput(const TemporaryOutput&) = delete;
  TemporaryOutput& operator=(const TemporaryOutput&) = delete;

  bool valid() const { return !path_.empty(); }
  const std::wstring& path() const { return path_; }

  // Puts the scratch file in the item's place, keeping a read-only attribute. False leaves the item
  // untouched (and the scratch file is deleted with this object).
  bool ReplaceItem(const std::wstring& item);
  // Gives the scratch file a free name in its folder, read-only when asked. False when the name is
  // taken or refused; the scratch file is then deleted with this object.
  bool TakeName(const std::wstring& name, bool readOnly);

 private:
  std::wstring path_;
};
