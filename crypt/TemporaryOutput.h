#pragma once
// A scratch file beside an item that receives the item's new content. It never outlives the
// routine that made it unless it has become the item: replacing is a single rename over the
// item, so the item holds either its old or its new content, never neither.
#include <string>

class TemporaryOutput {
 public:
  // Creates the empty scratch file in the folder (GetTempFileNameW with the prefix).
  TemporaryOutput(const std::wstring& folder, const wchar_t* prefix);
  ~TemporaryOutput();
  TemporaryOutput(const TemporaryOutput&) = delete;
  TemporaryOutput& operator=(const TemporaryOutput&) = delete;

  bool valid() const { return !path_.empty(); }
  const std::wstring& path() const { return path_; }

  // Puts the scratch file in the item's place, keeping a read-only attribute. False leaves the item
  // untouched (and the scratch file is deleted with this object).
  bool ReplaceItem(const std::wstring& item);

 private:
  std::wstring path_;
};
