#pragma once
// What the encrypt and decrypt batches share: the folder walk that stays inside the selected tree,
// progress positions, and the wording of their questions.
#include <string>

#include "base/PathList.h"
#include "fileops/DirectoryWalk.h"  // IsLink: encrypting through a link would change files outside the tree

// ".qxenc", the extension of encrypted items.
extern const wchar_t kEncryptedExtension[];

// The folder's direct entries without links (each skipped one is traced), in order of name: an item
// always comes before its ".qxenc" version.
PathList EntriesToWalk(const std::wstring& folder);

// What stands in the way of encrypting an item, found before anything is touched.
struct EncryptionCheck {
  // The item's own path, or that of an item inside it, whose path would reach the path limit once it
  // and every folder above it up to the item carry ".qxenc"; empty when every name fits.
  std::wstring tooLong;
  // A file inside the folder is held open by another program.
  bool openInside = false;
};
EncryptionCheck CheckEncryption(const std::wstring& item);

// The plain path that an encrypted item (a name ending in ".qxenc") goes back to, as the file system
// stores it. Empty when nothing of the name is left (".qxenc", "..qxenc", " .qxenc"): such an item is
// not encrypted, and the path would name the folder that holds it.
std::wstring DecryptedPath(const std::wstring& item);

// A floating-point progress sum as a bar position 0-100.
int32_t BarPosition(double position);

// "The file or directory : <path>[ ]Already exist in its <state> version.\nDo you want to overwrite?..."
std::wstring OverwriteQuestion(const std::wstring& path, const wchar_t* state, bool spaceAfterPath);
