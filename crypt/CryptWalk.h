#pragma once
// What the encrypt and decrypt batches share: the folder walk that stays inside the selected tree,
// progress positions, and the wording of their questions.
#include <string>

#include "base/PathList.h"
#include "fileops/DirectoryWalk.h"  // IsLink: encrypting through a link would change files outside the tree

// ".qxenc", the extension of encrypted items.
extern const wchar_t kEncryptedExtension[];

// The folder's direct entries without links (each skipped one is traced).
PathList EntriesToWalk(const std::wstring& folder);

// A floating-point progress sum as a bar position 0-100.
int32_t BarPosition(double position);

// "The file or directory : <path>[ ]Already exist in its <state> version.\nDo you want to overwrite?..."
std::wstring OverwriteQuestion(const std::wstring& path, const wchar_t* state, bool spaceAfterPath);
